#include "channels/channelrecord.h"

#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"

namespace {

constexpr uint8_t Empty = MemoryImage::Empty;

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

QString listText(const QStringList &list, int position)
{
    return position >= 0 && position < list.size() ? list.at(position) : QString();
}

bool isNameCharacter(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'));
}

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

void ChannelRecord::setBits(int offset, uint8_t mask, uint8_t bits)
{
    setByte(offset, uint8_t((byte(offset) & ~mask) | (bits & mask)));
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
    if (isEmpty())
        return QString();
    return bandwidthTexts().at((byte(Offset::flags) & NarrowBit) ? 1 : 0);
}

QString ChannelRecord::pttIdText() const
{
    return isEmpty() ? QString() : pttIdTexts().at(byte(Offset::flags) & PttIdMask);
}

QString ChannelRecord::busyLockText() const
{
    return isEmpty() ? QString() : offOnTexts().at((byte(Offset::flags) & BusyLockBit) ? 1 : 0);
}

QString ChannelRecord::scanAddText() const
{
    return isEmpty() ? QString() : offOnTexts().at((byte(Offset::flags) & ScanAddBit) ? 1 : 0);
}

QString ChannelRecord::signalCodeText() const
{
    return isEmpty() ? QString() : listText(signalCodeTexts(), byte(Offset::signalCode) & LowNibble);
}

QString ChannelRecord::optionalSignallingText() const
{
    return isEmpty() ? QString() : listText(optionalSignallingTexts(), byte(Offset::signalling) & LowNibble);
}

QString ChannelRecord::muteModeText() const
{
    return isEmpty() ? QString() : listText(muteModeTexts(), byte(Offset::signalling) >> 4);
}

QString ChannelRecord::scramblerText() const
{
    return isEmpty() ? QString() : listText(offOnTexts(), byte(Offset::power) >> 4);
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
    if (position < 0 || position >= powerTexts().size())
        return false;
    setBits(Offset::power, PowerWriteMask, uint8_t(position));
    return true;
}

bool ChannelRecord::setBandwidthPosition(int position)
{
    if (position < 0 || position >= bandwidthTexts().size())
        return false;
    setBits(Offset::flags, NarrowBit, position ? NarrowBit : 0);
    return true;
}

bool ChannelRecord::setPttIdPosition(int position)
{
    if (position < 0 || position >= pttIdTexts().size())
        return false;
    setBits(Offset::flags, PttIdMask, uint8_t(position));
    return true;
}

bool ChannelRecord::setBusyLockPosition(int position)
{
    if (position < 0 || position >= offOnTexts().size())
        return false;
    setBits(Offset::flags, BusyLockBit, position == 1 ? BusyLockBit : 0);
    return true;
}

bool ChannelRecord::setScanAddPosition(int position)
{
    if (position < 0 || position >= offOnTexts().size())
        return false;
    setBits(Offset::flags, ScanAddBit, position > 0 ? ScanAddBit : 0);
    return true;
}

bool ChannelRecord::setSignalCodePosition(int position)
{
    if (position < 0 || position >= signalCodeTexts().size())
        return false;
    setBits(Offset::signalCode, LowNibble, uint8_t(position));
    return true;
}

bool ChannelRecord::setOptionalSignallingPosition(int position)
{
    if (position < 0 || position >= optionalSignallingTexts().size())
        return false;
    setBits(Offset::signalling, LowNibble, uint8_t(position));
    return true;
}

bool ChannelRecord::setMuteModePosition(int position)
{
    if (position < 0 || position >= muteModeTexts().size())
        return false;
    setBits(Offset::signalling, HighNibble, uint8_t(position << 4));
    return true;
}

bool ChannelRecord::setScramblerPosition(int position)
{
    if (position < 0 || position >= offOnTexts().size())
        return false;
    setBits(Offset::power, HighNibble, uint8_t(position << 4));
    return true;
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

const QStringList &ChannelRecord::powerTexts()
{
    static const QStringList list{QStringLiteral("HIGH"), QStringLiteral("LOW")};
    return list;
}

const QStringList &ChannelRecord::bandwidthTexts()
{
    static const QStringList list{QStringLiteral("W"), QStringLiteral("N")};
    return list;
}

const QStringList &ChannelRecord::pttIdTexts()
{
    static const QStringList list{QStringLiteral("OFF"), QStringLiteral("BOT"), QStringLiteral("EOT"),
                                  QStringLiteral("BOTH")};
    return list;
}

const QStringList &ChannelRecord::offOnTexts()
{
    static const QStringList list{QStringLiteral("OFF"), QStringLiteral("ON")};
    return list;
}

const QStringList &ChannelRecord::signalCodeTexts()
{
    static const QStringList list = [] {
        QStringList l;
        for (int i = 1; i <= 15; ++i)
            l << QString::number(i);
        return l;
    }();
    return list;
}

const QStringList &ChannelRecord::optionalSignallingTexts()
{
    static const QStringList list{QStringLiteral("OFF"), QStringLiteral("DTMF"), QStringLiteral("2TONE"),
                                  QStringLiteral("5TONE")};
    return list;
}

const QStringList &ChannelRecord::muteModeTexts()
{
    static const QStringList list{QStringLiteral("QT"), QStringLiteral("AND"), QStringLiteral("OR")};
    return list;
}

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
    QString text;
    for (int i = 0; i < nameBytes.size() && i < ChannelRecord::NameLength; ++i) {
        const QChar ch = QLatin1Char(char(nameBytes.at(i)));
        if (isNameCharacter(ch))
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
