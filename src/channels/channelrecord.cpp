#include "channels/channelrecord.h"

#include "channels/channeltexts.h"
#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"

#include <QHash>
#include <iterator>

namespace {

constexpr uint8_t Empty = MemoryImage::Empty;
using Offset = ChannelRecord::Offset;

// Byte 15 bits.
constexpr uint8_t PttIdMask = 0x03;
constexpr uint8_t ScanAddBit = 0x04;
constexpr uint8_t BusyLockBit = 0x08;
constexpr uint8_t NarrowBit = 0x40;
// Byte 14: the radio reads three bits for power, but only two are ours to write.
constexpr uint8_t PowerReadMask = 0x07;
constexpr uint8_t PowerWriteMask = 0x03;
constexpr uint8_t LowPower = 1;
constexpr uint8_t LowNibble = 0x0F;
constexpr uint8_t HighNibble = 0xF0;
// Scan add on, PTT-ID off, busy lock off, wide.
constexpr uint8_t NewChannelFlags = ScanAddBit;

// The lists are the same in both languages.
constexpr BiText PowerList[] = {{"HIGH", "HIGH"}, {"LOW", "LOW"}};
constexpr BiText BandwidthList[] = {{"W", "W"}, {"N", "N"}};
constexpr BiText PttIdList[] = {{"OFF", "OFF"}, {"BOT", "BOT"}, {"EOT", "EOT"}, {"BOTH", "BOTH"}};
constexpr BiText OffOnList[] = {{"OFF", "OFF"}, {"ON", "ON"}};
constexpr BiText OptionalSignallingList[] = {{"OFF", "OFF"}, {"DTMF", "DTMF"}, {"2TONE", "2TONE"}, {"5TONE", "5TONE"}};
constexpr BiText MuteModeList[] = {{"QT", "QT"}, {"AND", "AND"}, {"OR", "OR"}};

QStringList signalCodeList(bool)
{
    QStringList l;
    for (int i = 1; i <= 15; ++i)
        l << QString::number(i);
    return l;
}

// A stored value past a list's end shows an empty cell in the grid.
constexpr ListField::Beyond Blank = ListField::Beyond::Blank;

const ListField RecordFields[] = {
    {"power", Offset::power, PowerWriteMask, 0, ListEntries::of(PowerList), 0, Blank, &ChannelText::PowerHeader},
    {"bandwidth", Offset::flags, NarrowBit, 6, ListEntries::of(BandwidthList), 0, Blank, &ChannelText::BandwidthHeader},
    {"ptt id", Offset::flags, PttIdMask, 0, ListEntries::of(PttIdList), 0, Blank, &ChannelText::PttIdHeader},
    {"busy lock", Offset::flags, BusyLockBit, 3, ListEntries::of(OffOnList), 0, Blank, &ChannelText::BusyLockHeader},
    {"scan add", Offset::flags, ScanAddBit, 2, ListEntries::of(OffOnList), 1, Blank, &ChannelText::ScanAddHeader},
    {"signal code", Offset::signalCode, LowNibble, 0, ListEntries::generated(&signalCodeList), 0, Blank,
     &ChannelText::SignalCodeHeader},
    {"optional signalling", Offset::signalling, LowNibble, 0, ListEntries::of(OptionalSignallingList), 0, Blank,
     &ChannelText::SignallingHeader},
    {"mute mode", Offset::signalling, HighNibble, 4, ListEntries::of(MuteModeList), 0, Blank, &ChannelText::MuteModeHeader},
    {"scrambler", Offset::power, HighNibble, 4, ListEntries::of(OffOnList), 0, Blank, &ChannelText::ScramblerHeader},
};

struct DefaultChannel
{
    int channel;
    qint64 hz;
    ToneCode tone;
};

} // namespace

ChannelRecord::ChannelRecord(MemoryImage &image, int channel)
    : m_image(image)
    , m_channel(channel)
{
    Q_ASSERT(channel >= 0 && channel < Count);
}

int ChannelRecord::recordRow() const
{
    return Area::Channels.firstRow + m_channel;
}

int ChannelRecord::nameRow() const
{
    return Area::ChannelNames.firstRow + m_channel;
}

QByteArray ChannelRecord::recordBytes() const
{
    return m_image.row(recordRow());
}

QByteArray ChannelRecord::nameBytes() const
{
    return m_image.row(nameRow());
}

uint8_t ChannelRecord::byte(int offset) const
{
    return m_image.cell(recordRow(), offset);
}

void ChannelRecord::setByte(int offset, uint8_t value)
{
    m_image.setCell(recordRow(), offset, value);
}

AreaView ChannelRecord::recordView() const
{
    return AreaView(m_image, MemoryImage::addressOf(recordRow(), 0), MemoryImage::Columns);
}

QString ChannelRecord::listText(const ListField &field) const
{
    return isEmpty() ? QString() : Fields::decodeText(recordView(), field, false);
}

bool ChannelRecord::setPosition(const ListField &field, int position)
{
    AreaView view = recordView();
    return Fields::encodePosition(view, field, position);
}

bool ChannelRecord::isEmpty() const
{
    return byte(Offset::rxFrequency) == Empty;
}

bool ChannelRecord::hasTxFrequency() const
{
    return byte(Offset::txFrequency) != Empty;
}

QString ChannelRecord::bandText() const
{
    return isEmpty() ? QString() : QStringLiteral("VHF/UHF ");
}

QString ChannelRecord::rxFrequencyText() const
{
    return isEmpty() ? QString() : decodeFrequency(m_image, recordRow(), Offset::rxFrequency);
}

QString ChannelRecord::txFrequencyText() const
{
    if (isEmpty() || !hasTxFrequency())
        return QString();
    return decodeFrequency(m_image, recordRow(), Offset::txFrequency);
}

ToneCode ChannelRecord::rxTone() const
{
    return ToneCode{byte(Offset::rxTone), byte(Offset::rxTone + 1)};
}

ToneCode ChannelRecord::txTone() const
{
    return ToneCode{byte(Offset::txTone), byte(Offset::txTone + 1)};
}

QString ChannelRecord::rxToneText() const
{
    return isEmpty() ? QString() : decodeTone(rxTone());
}

QString ChannelRecord::txToneText() const
{
    if (isEmpty() || !hasTxFrequency())
        return QString();
    return decodeTone(txTone());
}

QString ChannelRecord::powerText() const
{
    if (isEmpty())
        return QString();
    return powerTexts().at((byte(Offset::power) & PowerReadMask) == LowPower ? 1 : 0);
}

QString ChannelRecord::bandwidthText() const
{
    return listText(bandwidth());
}

QString ChannelRecord::pttIdText() const
{
    return listText(pttId());
}

QString ChannelRecord::busyLockText() const
{
    return listText(busyLock());
}

QString ChannelRecord::scanAddText() const
{
    return listText(scanAdd());
}

QString ChannelRecord::signalCodeText() const
{
    return listText(signalCode());
}

QString ChannelRecord::optionalSignallingText() const
{
    return listText(optionalSignalling());
}

QString ChannelRecord::muteModeText() const
{
    return listText(muteMode());
}

QString ChannelRecord::scramblerText() const
{
    return listText(scrambler());
}

QString ChannelRecord::nameText() const
{
    return isEmpty() ? QString() : channelNameText(nameBytes());
}

QString ChannelRecord::radioNameText() const
{
    return isEmpty() ? QString() : ::radioNameText(nameBytes());
}

bool ChannelRecord::setRxFrequency(const QString &text)
{
    return encodeFrequency(text, m_image, recordRow(), Offset::rxFrequency);
}

bool ChannelRecord::setTxFrequency(const QString &text)
{
    return encodeFrequency(text, m_image, recordRow(), Offset::txFrequency);
}

bool ChannelRecord::setRxFrequencyHz(qint64 hz)
{
    return encodeFrequency(hz, m_image, recordRow(), Offset::rxFrequency);
}

bool ChannelRecord::setTxFrequencyHz(qint64 hz)
{
    return encodeFrequency(hz, m_image, recordRow(), Offset::txFrequency);
}

void ChannelRecord::clearTxFrequency()
{
    for (int i = 0; i < 4; ++i)
        setByte(Offset::txFrequency + i, Empty);
    setTxTone(ToneCode{Empty, Empty});
}

void ChannelRecord::setRxTone(ToneCode code)
{
    setByte(Offset::rxTone, code.low);
    setByte(Offset::rxTone + 1, code.high);
}

void ChannelRecord::setTxTone(ToneCode code)
{
    setByte(Offset::txTone, code.low);
    setByte(Offset::txTone + 1, code.high);
}

bool ChannelRecord::setPowerPosition(int position)
{
    return setPosition(power(), position);
}

bool ChannelRecord::setBandwidthPosition(int position)
{
    return setPosition(bandwidth(), position);
}

bool ChannelRecord::setPttIdPosition(int position)
{
    return setPosition(pttId(), position);
}

bool ChannelRecord::setBusyLockPosition(int position)
{
    return setPosition(busyLock(), position);
}

bool ChannelRecord::setScanAddPosition(int position)
{
    return setPosition(scanAdd(), position);
}

bool ChannelRecord::setSignalCodePosition(int position)
{
    return setPosition(signalCode(), position);
}

bool ChannelRecord::setOptionalSignallingPosition(int position)
{
    return setPosition(optionalSignalling(), position);
}

bool ChannelRecord::setMuteModePosition(int position)
{
    return setPosition(muteMode(), position);
}

bool ChannelRecord::setScramblerPosition(int position)
{
    return setPosition(scrambler(), position);
}

QString ChannelRecord::setName(const QString &text)
{
    const QString shown = text.trimmed().left(NameLength).toUpper();
    m_image.fill(nameRow(), nameRow(), Empty);
    // Upper-casing may lengthen a text ("ß" -> "SS"); only six positions exist.
    for (int i = 0; i < shown.size() && i < NameLength; ++i) {
        if (isNameCharacter(shown.at(i)))
            m_image.setCell(nameRow(), NameOffset::name + i, uint8_t(shown.at(i).unicode()));
    }
    return shown;
}

void ChannelRecord::create()
{
    for (int offset = Offset::rxTone; offset < Offset::flags; ++offset)
        setByte(offset, 0);
    setByte(Offset::flags, NewChannelFlags);
    m_image.fill(nameRow(), nameRow(), Empty);
}

void ChannelRecord::clear()
{
    m_image.fill(recordRow(), recordRow(), Empty);
    m_image.fill(nameRow(), nameRow(), Empty);
}

const FieldTable &ChannelRecord::listFields()
{
    static const FieldTable table(std::begin(RecordFields), std::end(RecordFields));
    return table;
}

const ListField &ChannelRecord::power() { return listFields()[0]; }
const ListField &ChannelRecord::bandwidth() { return listFields()[1]; }
const ListField &ChannelRecord::pttId() { return listFields()[2]; }
const ListField &ChannelRecord::busyLock() { return listFields()[3]; }
const ListField &ChannelRecord::scanAdd() { return listFields()[4]; }
const ListField &ChannelRecord::signalCode() { return listFields()[5]; }
const ListField &ChannelRecord::optionalSignalling() { return listFields()[6]; }
const ListField &ChannelRecord::muteMode() { return listFields()[7]; }
const ListField &ChannelRecord::scrambler() { return listFields()[8]; }

namespace {
const QStringList &entriesOf(const ListField &field)
{
    // The channel lists are the same in both languages; built once each.
    static QHash<const ListField *, QStringList> lists;
    auto it = lists.find(&field);
    if (it == lists.end())
        it = lists.insert(&field, field.entries.list(false));
    return *it;
}
} // namespace

const QStringList &ChannelRecord::powerTexts() { return entriesOf(power()); }
const QStringList &ChannelRecord::bandwidthTexts() { return entriesOf(bandwidth()); }
const QStringList &ChannelRecord::pttIdTexts() { return entriesOf(pttId()); }
const QStringList &ChannelRecord::offOnTexts() { return entriesOf(busyLock()); }
const QStringList &ChannelRecord::signalCodeTexts() { return entriesOf(signalCode()); }
const QStringList &ChannelRecord::optionalSignallingTexts() { return entriesOf(optionalSignalling()); }
const QStringList &ChannelRecord::muteModeTexts() { return entriesOf(muteMode()); }

const QStringList &ChannelRecord::bandTexts()
{
    static const QStringList list{QStringLiteral("VHF/UHF")};
    return list;
}

void createChannel(MemoryImage &image, int channel)
{
    ChannelRecord(image, channel).create();
}

void clearChannel(MemoryImage &image, int channel)
{
    ChannelRecord(image, channel).clear();
}

void defaultChannels(MemoryImage &image)
{
    static constexpr ToneCode Off{Empty, Empty};
    static constexpr DefaultChannel Defaults[] = {
        {0, 155025000, ToneCode::fromValue(670)},  {1, 136100000, ToneCode::fromValue(1000)},
        {2, 173950000, ToneCode::fromValue(1273)}, {3, 400025000, ToneCode::fromValue(2035)},
        {4, 479950000, Off},                       {5, 436500000, ToneCode::fromValue(2503)},
        {6, 155500000, ToneCode{0xD2, 0x00}},      {199, 480625000, Off},
    };

    image.fill(Area::Channels.firstRow, Area::Channels.lastRow, Empty);
    for (const DefaultChannel &d : Defaults) {
        const int row = Area::Channels.firstRow + d.channel;
        for (int offset = 0; offset < MemoryImage::Columns; ++offset)
            image.setCell(row, offset, 0);
        ChannelRecord record(image, d.channel);
        record.setRxTone(Off);
        record.setTxTone(Off);
        image.setCell(row, ChannelRecord::Offset::flags, NewChannelFlags);
        record.setRxFrequencyHz(d.hz);
        record.setTxFrequencyHz(d.hz);
        record.setRxTone(d.tone);
        record.setTxTone(d.tone);
    }
}

int channelBandCheck(const MemoryImage &image, const BandLimits &limits)
{
    auto failsCheck = [&](int row, int offset) {
        const PackedFrequency packed = packedFrequencyAt(image, row, offset);
        const bool unset = packed == PackedFrequency{Empty, Empty, Empty, Empty};
        return !unset && !frequencyInBand(unpackFrequencyHz(packed), BandCheck::PreWrite, limits);
    };
    for (int channel = 0; channel < ChannelRecord::Count; ++channel) {
        const int row = Area::Channels.firstRow + channel;
        if (failsCheck(row, ChannelRecord::Offset::rxFrequency) || failsCheck(row, ChannelRecord::Offset::txFrequency))
            return channel;
    }
    return ChannelRecord::NoFailingChannel;
}

QString channelNameText(const QByteArray &nameBytes)
{
    // The radio takes a name whose first byte is empty for no name at all, whatever
    // follows; showing the rest would show a name the radio never shows.
    if (nameBytes.isEmpty() || uint8_t(nameBytes.at(0)) == Empty)
        return QString();
    QString text;
    for (int i = 0; i < nameBytes.size() && i < ChannelRecord::NameLength; ++i) {
        const QChar ch = QLatin1Char(char(nameBytes.at(i)));
        if (ChannelRecord::isNameCharacter(ch))
            text += ch;
    }
    return text;
}

QString radioNameText(const QByteArray &nameBytes)
{
    if (nameBytes.isEmpty() || uint8_t(nameBytes.at(0)) == Empty)
        return QString();
    QString text;
    for (int i = 0; i < nameBytes.size() && i < ChannelRecord::NameLength; ++i) {
        const int code = uint8_t(nameBytes.at(i));
        if (code <= 9)
            text += QChar(u'0' + code);
        else if (code >= 17 && code <= 37)
            text += QChar(char16_t(code + 48));
        else if (code >= 48 && code <= 250)
            text += QChar(char16_t(code));
        else if (code == 251)
            text += QLatin1Char('+');
        else if (code == 253)
            text += QLatin1Char('-');
    }
    return text;
}

bool ChannelRecord::isNameCharacter(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'));
}
