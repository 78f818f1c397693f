#include "config/configfields.h"

#include "channels/channelrecord.h"
#include "fm/fmpresets.h"
#include "image/areamap.h"
#include "image/areaview.h"
#include "image/digitcodes.h"
#include "image/digitfrequency.h"
#include "image/fieldtable.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/messagecharacters.h"
#include "image/tonecodec.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"
#include "signalling/dtmfarea.h"
#include "signalling/dtmftexts.h"
#include "signalling/fivetonearea.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonetexts.h"
#include "signalling/twotonearea.h"
#include "signalling/twotonetexts.h"

#include <QHash>

namespace ConfigFields {

namespace {

using Style = Field::Style;

// Showing never writes; the area views want a mutable image only because they can.
MemoryImage &reading(const MemoryImage &image)
{
    return const_cast<MemoryImage &>(image);
}

QVector<Bits> wholeBytes(int address, int count)
{
    QVector<Bits> bits;
    for (int i = 0; i < count; ++i)
        bits.push_back({address + i, 0xFF});
    return bits;
}

// A long list is named by its ends: "15, 30, ... 600".
QString allowedText(const QStringList &entries)
{
    if (entries.size() <= 10)
        return entries.join(QStringLiteral(", "));
    return QStringLiteral("%1, %2, ... %3").arg(entries.at(0), entries.at(1), entries.last());
}

int entryIndex(const QStringList &entries, const QString &text)
{
    const QString wanted = text.trimmed();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString notOneOf(const QStringList &entries)
{
    return QStringLiteral("is not one of %1").arg(allowedText(entries));
}

// The English entries of a list field, trimmed; generated lists are made once.
const QStringList &englishEntries(const ListEntries &entries)
{
    static QHash<const void *, QStringList> made;
    const void *id = entries.generate ? reinterpret_cast<const void *>(entries.generate)
                                      : static_cast<const void *>(entries.texts);
    auto it = made.find(id);
    if (it == made.end()) {
        QStringList list = entries.list(false);
        for (QString &e : list)
            e = e.trimmed();
        it = made.insert(id, list);
    }
    return *it;
}

// A list field of an area table at `base`, under `key`.
Field listField(const QString &key, int base, int size, const ListField &lf)
{
    const ListField field = lf;
    Field f;
    f.key = key;
    f.bits = {{base + field.offset, field.mask}};
    f.comment = allowedText(englishEntries(field.entries));
    f.offOn = englishEntries(field.entries) == QStringList{QStringLiteral("OFF"), QStringLiteral("ON")};
    if (field.caption)
        f.caption = field.caption->text(true);
    f.show = [base, size, field](const MemoryImage &image) -> std::optional<QString> {
        const AreaView view(reading(image), base, size);
        const int position = ::Fields::decodePosition(view, field);
        if (position < 0)
            return std::nullopt;
        return englishEntries(field.entries).at(position);
    };
    f.store = [base, size, field](MemoryImage &image, const QString &text) {
        const QStringList &entries = englishEntries(field.entries);
        const int position = entryIndex(entries, text);
        AreaView view(image, base, size);
        if (position < 0 || !::Fields::encodePosition(view, field, position))
            return notOneOf(entries);
        return QString();
    };
    return f;
}

void addTable(FieldList &out, const QString &prefix, int base, int size, const FieldTable &table)
{
    for (const ListField &lf : table)
        out << listField(prefix + snakeCase(lf.name), base, size, lf);
}

QString onOff(bool on)
{
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

// ON / OFF in `mask` of one byte (mask a single bit).
Field flagField(const QString &key, int address, uint8_t mask, const BiText &caption)
{
    Field f;
    f.key = key;
    f.caption = caption.text(true);
    f.bits = {{address, mask}};
    f.comment = QStringLiteral("OFF, ON");
    f.offOn = true;
    f.show = [address, mask](const MemoryImage &image) -> std::optional<QString> {
        return onOff(image.at(address) & mask);
    };
    f.store = [address, mask](MemoryImage &image, const QString &text) {
        const int i = entryIndex({QStringLiteral("OFF"), QStringLiteral("ON")}, text);
        if (i < 0)
            return QStringLiteral("is not one of OFF, ON");
        image.setAt(address, uint8_t((image.at(address) & ~mask) | (i ? mask : 0)));
        return QString();
    };
    return f;
}

// A set of named bits of one byte, written as the names of the bits that are set.
Field bitSetField(const QString &key, int address, const QStringList &names, const BiText *caption = nullptr)
{
    const uint8_t mask = uint8_t((1 << names.size()) - 1);
    Field f;
    f.key = key;
    f.bits = {{address, mask}};
    f.style = Style::Sequence;
    f.comment = QStringLiteral("any of %1").arg(names.join(QStringLiteral(", ")));
    if (caption)
        f.caption = caption->text(true);
    f.show = [address, names](const MemoryImage &image) -> std::optional<QString> {
        QStringList set;
        for (int i = 0; i < names.size(); ++i) {
            if (image.at(address) & (1 << i))
                set << names.at(i);
        }
        return set.join(QStringLiteral(", "));
    };
    f.store = [address, mask, names](MemoryImage &image, const QString &text) {
        uint8_t bits = 0;
        for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int i = entryIndex(names, item);
            if (i < 0)
                return QStringLiteral("%1 is not one of %2").arg(item.trimmed(), names.join(QStringLiteral(", ")));
            bits |= uint8_t(1 << i);
        }
        image.setAt(address, uint8_t((image.at(address) & ~mask) | bits));
        return QString();
    };
    return f;
}

QString tooLong(int most)
{
    return QStringLiteral("is longer than %1 characters").arg(most);
}

// Up to `most` DTMF keys, one code per byte; the row's other bytes hold no digit.
QString dtmfDigitsProblem(const QString &text, int most)
{
    const QString digits = text.trimmed();
    if (digits.size() > most)
        return QStringLiteral("is longer than %1 digits").arg(most);
    for (QChar ch : digits) {
        if (dtmfDigitToCode(ch) == NoDigit)
            return QStringLiteral("may hold only 0-9, A-D, * and #");
    }
    return QString();
}

// A 16-byte DTMF digit row of an area at `base`.
Field dtmfRowField(const QString &key, int base, int size, int offset)
{
    Field f;
    f.key = key;
    f.bits = wholeBytes(base + offset, DtmfArea::DigitsPerRow);
    f.style = Style::Quoted;
    f.comment = QStringLiteral("up to 16 of 0-9, A-D, *, #");
    f.show = [base, size, offset](const MemoryImage &image) -> std::optional<QString> {
        return DtmfArea::digits(AreaView(reading(image), base, size), offset);
    };
    f.store = [base, size, offset](MemoryImage &image, const QString &text) {
        const QString problem = dtmfDigitsProblem(text, DtmfArea::DigitsPerRow);
        if (!problem.isEmpty())
            return problem;
        AreaView view(image, base, size);
        DtmfArea::storeDigits(view, offset, text);
        return QString();
    };
    return f;
}

QString rangeText(int lower, int upper)
{
    return QStringLiteral("%1-%2").arg(lower).arg(upper);
}

// The channel grid's entry check, and which band a refused value missed.
QString channelFrequencyProblem(const QString &text, const BandLimits &limits, std::optional<qint64> &hz)
{
    hz = parseFrequencyHz(text);
    if (!hz)
        return QStringLiteral("is not a frequency in MHz");
    if (!frequencyInBand(*hz, BandCheck::Entry, limits)) {
        const QString a = rangeText(limits.aLower, limits.aUpper), b = rangeText(limits.bLower, limits.bUpper);
        const QString where = *hz > qint64(limits.bUpper) * Frequency::HzPerMHz ? b
                              : *hz < qint64(limits.aLower) * Frequency::HzPerMHz ? a
                                                                                   : a + QStringLiteral(" and ") + b;
        return QStringLiteral("is outside %1").arg(where);
    }
    return QString();
}

Field channelFrequency(const QString &key, int row, int offset, bool emptyAllowed, const BandLimits &limits)
{
    Field f;
    f.key = key;
    f.bits = wholeBytes(MemoryImage::addressOf(row, offset), 4);
    f.style = Style::Quoted;
    f.comment = emptyAllowed ? QStringLiteral("MHz; \"\" receive only") : QStringLiteral("MHz");
    f.show = [row, offset, emptyAllowed](const MemoryImage &image) -> std::optional<QString> {
        if (emptyAllowed && image.cell(row, offset) == MemoryImage::Empty)
            return QString();
        return decodeFrequency(image, row, offset);
    };
    f.store = [row, offset, emptyAllowed, limits](MemoryImage &image, const QString &text) {
        if (emptyAllowed && text.trimmed().isEmpty()) {
            for (int i = 0; i < 4; ++i)
                image.setCell(row, offset + i, MemoryImage::Empty);
            return QString();
        }
        std::optional<qint64> hz;
        const QString problem = channelFrequencyProblem(text, limits, hz);
        if (!problem.isEmpty())
            return problem;
        if (!encodeFrequency(*hz, image, row, offset))
            return QStringLiteral("cannot be stored");
        return QString();
    };
    return f;
}

Field channelTone(const QString &key, int row, int offset)
{
    Field f;
    f.key = key;
    f.bits = wholeBytes(MemoryImage::addressOf(row, offset), 2);
    f.style = Style::Quoted;
    f.comment = QStringLiteral("OFF, 67.0 ... 254.1, D023N ... D754I, or 60-259.9 Hz");
    f.show = [row, offset](const MemoryImage &image) -> std::optional<QString> {
        const QString text = decodeTone(image.cell(row, offset), image.cell(row, offset + 1));
        return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
    };
    f.store = [row, offset](MemoryImage &image, const QString &text) {
        const auto code = encodeToneText(text);
        if (!code)
            return QStringLiteral("is not a tone: OFF, a CTCSS tone of 60-259.9 Hz or a DCS code such as D023N");
        image.setCell(row, offset, code->low);
        image.setCell(row, offset + 1, code->high);
        return QString();
    };
    return f;
}

const char *channelKey(const char *tableName)
{
    // The plan's own words for three of the grid's columns.
    static const QHash<QString, const char *> aliases{
        {QStringLiteral("bandwidth"), "width"},
        {QStringLiteral("optional signalling"), "optional_signal"},
        {QStringLiteral("mute mode"), "mute"},
    };
    return aliases.value(QString::fromLatin1(tableName), tableName);
}

// The response texts come from the language table, which is costly to build; every
// byte's text is asked for once.
QString responseShown(uint8_t byte)
{
    static const QStringList shown = [] {
        QStringList out;
        for (int b = 0; b < 256; ++b)
            out << TwoToneArea::responseText(uint8_t(b), false);
        return out;
    }();
    return shown.at(byte);
}

} // namespace

QString headerCaption(const BiText &headers, int column)
{
    return headers.text(true).split(QLatin1Char('|')).value(column).remove(QLatin1Char('^')).trimmed();
}

QString snakeCase(const char *name)
{
    QString out;
    for (const char *p = name; *p; ++p) {
        const QChar ch = QLatin1Char(*p);
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('-')) {
            out += QLatin1Char('_');
        } else if (ch.isUpper()) {
            if (!out.isEmpty())
                out += QLatin1Char('_');
            out += ch.toLower();
        } else {
            out += ch;
        }
    }
    return out;
}

FieldList channel(int n, const BandLimits &limits)
{
    using O = ChannelRecord::Offset;
    const int row = Area::Channels.firstRow + n;
    const int nameRow = Area::ChannelNames.firstRow + n;
    const int base = MemoryImage::addressOf(row, 0);
    FieldList out;
    out << channelFrequency(QStringLiteral("rx"), row, O::rxFrequency, false, limits)
        << channelFrequency(QStringLiteral("tx"), row, O::txFrequency, true, limits)
        << channelTone(QStringLiteral("rx_tone"), row, O::rxTone) << channelTone(QStringLiteral("tx_tone"), row, O::txTone);
    for (const ListField &lf : ChannelRecord::listFields()) {
        Field f = listField(snakeCase(channelKey(lf.name)), base, MemoryImage::Columns, lf);
        if (&lf == &ChannelRecord::power()) {
            // The radio reads three bits for power; the grid shows what it reads.
            f.show = [n](const MemoryImage &image) -> std::optional<QString> {
                const QString text = ChannelRecord(reading(image), n).powerText();
                return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
            };
        }
        out << f;
    }
    Field name;
    name.key = QStringLiteral("name");
    name.bits = wholeBytes(MemoryImage::addressOf(nameRow, 0), MemoryImage::Columns);
    name.style = Style::Quoted;
    name.comment = QStringLiteral("up to 6 of 0-9, A-Z");
    name.show = [nameRow](const MemoryImage &image) -> std::optional<QString> {
        return channelNameText(image.row(nameRow));
    };
    name.store = [n](MemoryImage &image, const QString &text) {
        const QString upper = text.trimmed().toUpper();
        if (upper.size() > ChannelRecord::NameLength)
            return tooLong(ChannelRecord::NameLength);
        for (QChar ch : upper) {
            if (!ChannelRecord::isNameCharacter(ch))
                return QStringLiteral("may hold only 0-9 and A-Z");
        }
        ChannelRecord(image, n).setName(upper);
        return QString();
    };
    out << name;
    return out;
}

FieldList fmPreset(int preset)
{
    const int base = Area::Fm.firstAddress() + preset * MemoryImage::Columns;
    Field frequency;
    frequency.key = QStringLiteral("frequency");
    frequency.bits = wholeBytes(base, DigitFrequency::Bytes);
    frequency.style = Style::Quoted;
    frequency.comment = QStringLiteral("MHz, 87-108");
    frequency.show = [preset](const MemoryImage &image) -> std::optional<QString> {
        return FmPreset::frequencyText(image, preset);
    };
    frequency.store = [base](MemoryImage &image, const QString &text) {
        const auto hz = FmPreset::parseTyped(text);
        if (!hz)
            return QStringLiteral("is not a frequency in MHz");
        if (!FmPreset::inRange(*hz))
            return QStringLiteral("is outside 87-108");
        AreaView(image, base, MemoryImage::Columns).setBytes(0, DigitFrequency::encode(*hz));
        return QString();
    };

    Field name;
    name.key = QStringLiteral("name");
    name.bits = wholeBytes(base + FmPreset::NameOffset, FmPreset::NameBytes);
    name.style = Style::Quoted;
    name.comment = QStringLiteral("up to 6 characters");
    name.show = [preset](const MemoryImage &image) -> std::optional<QString> {
        return FmPreset::nameText(image, preset);
    };
    name.store = [preset](MemoryImage &image, const QString &text) {
        const QString name = text.trimmed();
        if (name.size() > FmPreset::MaxNameLength)
            return tooLong(FmPreset::MaxNameLength);
        for (QChar ch : name) {
            if (ch.unicode() <= 0x20 || ch.unicode() > 0x7E)
                return QStringLiteral("may hold only printable ASCII characters without spaces");
        }
        FmPreset::storeName(image, preset, name);
        return QString();
    };
    return {frequency, name};
}

FieldList options()
{
    using O = OptionArea::Offset;
    const int base = Area::Options.firstAddress();
    const int size = Area::Options.byteCount();
    FieldList out;
    addTable(out, QString(), base, size, OptionArea::listFields());

    const struct
    {
        const char *key;
        int offset;
    } lines[] = {{"power_on_message_1", O::messageUpper}, {"power_on_message_2", O::messageLower}};
    for (const auto &l : lines) {
        const int offset = l.offset;
        Field f;
        f.key = QString::fromLatin1(l.key);
        f.bits = wholeBytes(base + offset, OptionArea::MessageLength);
        f.style = Style::Quoted;
        f.comment = QStringLiteral("up to 6 of 0-9, A-Z, +, -, space");
        f.show = [base, size, offset](const MemoryImage &image) -> std::optional<QString> {
            return OptionArea::messageLine(AreaView(reading(image), base, size), offset);
        };
        f.store = [base, size, offset](MemoryImage &image, const QString &text) {
            const QString line = text.trimmed();
            if (line.size() > OptionArea::MessageLength)
                return tooLong(OptionArea::MessageLength);
            for (QChar ch : line) {
                if (MessageCharacters::encode(ch) == MessageCharacters::Unmapped)
                    return QStringLiteral("may hold only 0-9, A-Z, +, - and spaces");
            }
            AreaView view(image, base, size);
            OptionArea::setMessageLine(view, offset, line);
            return QString();
        };
        out << f;
    }

    Field ani = dtmfRowField(QStringLiteral("ani"), base, size, O::ani);
    ani.comment = QStringLiteral("3 to 5 of 0-9, A-D, *, #");
    ani.store = [base, size](MemoryImage &image, const QString &text) {
        switch (OptionArea::checkAni(text)) {
        case OptionArea::AniCheck::Length:
            return QStringLiteral("needs 3 to 5 digits");
        case OptionArea::AniCheck::Range:
            return QStringLiteral("is outside 00000-99999");
        case OptionArea::AniCheck::Passed:
            break;
        }
        const QString problem = dtmfDigitsProblem(text, OptionArea::DigitRowLength);
        if (!problem.isEmpty())
            return problem;
        AreaView view(image, base, size);
        OptionArea::setDigitRow(view, O::ani, text);
        return QString();
    };
    out << ani << dtmfRowField(QStringLiteral("ptt_id_begin"), base, size, O::pttIdBegin)
        << dtmfRowField(QStringLiteral("ptt_id_end"), base, size, O::pttIdEnd);
    return out;
}

FieldList bandRecord(bool bandB, const BandLimits &limits)
{
    using O = BandRecord::Offset;
    const int base = MemoryImage::addressOf(bandB ? Area::BandBRecordRow : Area::BandARecordRow, 0);
    const int size = BandRecord::Bytes;
    FieldList out;

    Field frequency;
    frequency.key = QStringLiteral("frequency");
    frequency.bits = wholeBytes(base + O::frequency, DigitFrequency::Bytes);
    frequency.style = Style::Quoted;
    frequency.comment = QStringLiteral("MHz, within band A or band B");
    frequency.show = [base, size](const MemoryImage &image) -> std::optional<QString> {
        return BandRecord::frequencyText(AreaView(reading(image), base, size));
    };
    frequency.store = [base, size, limits](MemoryImage &image, const QString &text) {
        if (!parseFrequencyHz(text))
            return QStringLiteral("is not a frequency in MHz");
        // The window's check: whole MHz limits, the upper one included.
        const BandRecord::Limits bands[] = {{limits.aLower, limits.aUpper}, {limits.bLower, limits.bUpper}};
        bool inside = false;
        for (const BandRecord::Limits &b : bands)
            inside = inside || !BandRecord::checkFrequency(text, b).outOfRange;
        if (!inside)
            return QStringLiteral("is outside %1 and %2")
                .arg(rangeText(limits.aLower, limits.aUpper), rangeText(limits.bLower, limits.bUpper));
        AreaView view(image, base, size);
        if (!BandRecord::storeFrequency(view, BandRecord::normaliseFrequency(text)))
            return QStringLiteral("cannot be stored");
        return QString();
    };
    out << frequency;

    Field offset;
    offset.key = QStringLiteral("offset");
    offset.bits = wholeBytes(base + O::offsetGap, 6);
    offset.comment = QStringLiteral("00.000MHZ ... 99.950MHZ in steps of 0.050");
    offset.show = [base, size](const MemoryImage &image) -> std::optional<QString> {
        return BandRecord::offsetEntries().at(BandRecord::offsetPosition(AreaView(reading(image), base, size)));
    };
    offset.store = [base, size](MemoryImage &image, const QString &text) {
        QString t = text.trimmed().toUpper();
        if (!t.endsWith(QLatin1String("MHZ")))
            t += QLatin1String("MHZ");
        const int position = BandRecord::offsetEntries().indexOf(t);
        if (position < 0)
            return QStringLiteral("is not one of 00.000MHZ ... 99.950MHZ in steps of 0.050");
        AreaView view(image, base, size);
        BandRecord::setOffsetPosition(view, position);
        return QString();
    };
    out << offset;

    const QStringList tones = BandRecord::toneEntries(false);
    for (const auto &[key, at] : {std::pair{"rx_tone", O::rxTone}, std::pair{"tx_tone", O::txTone}}) {
        const int toneOffset = at;
        Field f;
        f.key = QString::fromLatin1(key);
        f.bits = wholeBytes(base + toneOffset, 2);
        f.style = Style::Quoted;
        f.comment = allowedText(tones);
        f.show = [base, size, toneOffset](const MemoryImage &image) -> std::optional<QString> {
            const AreaView view(reading(image), base, size);
            const int position = BandRecord::tonePosition(view, toneOffset);
            if (position < 0)
                return BandRecord::toneText(view, toneOffset);
            return BandRecord::toneEntries(false).at(position);
        };
        f.store = [base, size, toneOffset, tones](MemoryImage &image, const QString &text) {
            const int position = entryIndex(tones, text);
            if (position < 0)
                return notOneOf(tones);
            AreaView view(image, base, size);
            BandRecord::setTonePosition(view, toneOffset, position);
            return QString();
        };
        out << f;
    }
    addTable(out, QString(), base, size, BandRecord::listFields());
    return out;
}

FieldList dtmf()
{
    using O = DtmfArea::Offset;
    const int base = Area::Dtmf.firstAddress();
    const int size = Area::Dtmf.byteCount();
    FieldList out;
    for (int n = 1; n <= DtmfArea::EncodeCount; ++n)
        out << dtmfRowField(QStringLiteral("encode.%1").arg(n), base, size, O::encode(n));
    addTable(out, QString(), base, size, DtmfArea::timeFields());
    for (const DtmfArea::NamedRow &r : DtmfArea::namedRows()) {
        Field f = dtmfRowField(QString::fromLatin1(r.key), base, size, r.offset);
        f.caption = r.caption.text(true);
        out << f;
    }

    // Any value but 0 is on; the window writes 1.
    Field control;
    control.key = QStringLiteral("control");
    control.bits = {{base + O::control, 0xFF}};
    control.comment = QStringLiteral("OFF, ON");
    control.caption = DtmfText::ControlCheck.text(true);
    control.offOn = true;
    control.show = [base](const MemoryImage &image) -> std::optional<QString> {
        return onOff(image.at(base + O::control) != 0);
    };
    control.store = [base](MemoryImage &image, const QString &text) {
        const int i = entryIndex({QStringLiteral("OFF"), QStringLiteral("ON")}, text);
        if (i < 0)
            return QStringLiteral("is not one of OFF, ON");
        image.setAt(base + O::control, uint8_t(i));
        return QString();
    };
    out << control;

    const QStringList rights{QStringLiteral("inspection"), QStringLiteral("monitor"), QStringLiteral("stun"),
                             QStringLiteral("kill"), QStringLiteral("revive")};
    Q_ASSERT(rights.size() == DtmfArea::RightsCount);
    out << bitSetField(QStringLiteral("master_rights"), base + O::masterRights, rights)
        << bitSetField(QStringLiteral("vice_rights"), base + O::viceRights, rights)
        << flagField(QStringLiteral("rx_disable"), base + O::state, DtmfArea::RxDisableBit, DtmfText::RxDisable)
        << flagField(QStringLiteral("tx_disable"), base + O::state, DtmfArea::TxDisableBit, DtmfText::TxDisable);

    for (const auto &[key, at, caption] : {std::tuple{"group_code", O::groupCode, &DtmfText::GroupCode},
                                           std::tuple{"space_code", O::spaceCode, &DtmfText::SpaceCode}}) {
        const int address = base + at;
        Field f;
        f.key = QString::fromLatin1(key);
        f.caption = caption->text(true);
        f.bits = {{address, 0xFF}};
        f.style = Style::Quoted;
        f.comment = DtmfArea::codeKeys().join(QStringLiteral(", "));
        f.show = [address](const MemoryImage &image) -> std::optional<QString> {
            const int position = DtmfArea::codeKeyPosition(image.at(address));
            if (position < 0)
                return std::nullopt;
            return DtmfArea::codeKeys().at(position);
        };
        f.store = [address](MemoryImage &image, const QString &text) {
            const int position = entryIndex(DtmfArea::codeKeys(), text);
            if (position < 0)
                return notOneOf(DtmfArea::codeKeys());
            image.setAt(address, dtmfDigitToCode(DtmfArea::codeKeys().at(position).at(0)));
            return QString();
        };
        out << f;
    }
    return out;
}

FieldList twoTone()
{
    using O = TwoToneArea::Offset;
    using TwoToneArea::ToneInput;
    const int base = Area::TwoTone.firstAddress();
    const int size = Area::TwoTone.byteCount();
    const QString range = QStringLiteral("is outside %1-%2").arg(TwoToneArea::LowestHz).arg(TwoToneArea::HighestHz);
    FieldList out;
    for (int n = 1; n <= TwoToneArea::CodeCount; ++n) {
        for (int tone = 0; tone < 2; ++tone) {
            const int offset = O::encodeTone(n, tone);
            Field f;
            f.key = QStringLiteral("encode.%1.%2").arg(n).arg(tone == 0 ? QStringLiteral("first") : QStringLiteral("second"));
            f.caption = headerCaption(TwoToneText::EncodeHeaders, 1 + tone);
            f.bits = wholeBytes(base + offset, 2);
            f.flowParent = true;
            f.comment = QStringLiteral("Hz, 300-3000, or \"\"");
            f.show = [base, size, offset](const MemoryImage &image) -> std::optional<QString> {
                const int hz = TwoToneArea::storedHz(AreaView(reading(image), base, size), offset);
                return hz >= TwoToneArea::LowestHz && hz <= TwoToneArea::HighestHz ? QString::number(hz) : QString();
            };
            f.store = [base, size, offset, range](MemoryImage &image, const QString &text) {
                const ToneInput input = TwoToneArea::parseEncodeTone(text);
                if (input.kind == ToneInput::Kind::OutOfRange)
                    return range;
                AreaView view(image, base, size);
                TwoToneArea::storeHz(view, offset, input.hz);
                return QString();
            };
            out << f;
        }
    }
    addTable(out, QString(), base, size, {TwoToneArea::firstDuration(), TwoToneArea::secondDuration(), TwoToneArea::gap()});

    const QStringList pairs = TwoToneArea::pairTexts();
    const QStringList responses = TwoToneArea::responseTexts(false);
    const QStringList alerts = TwoToneArea::alertTexts();
    for (int n = 1; n <= TwoToneArea::CodeCount; ++n) {
        for (int g = 0; g < TwoToneArea::GroupCount; ++g) {
            const QString group = QStringLiteral("decode.%1.group_%2.").arg(n).arg(g + 1);
            const int address = base + O::decodeGroup(n, g);
            // Pair, response and alert: each a byte, 0xFF for an empty cell.
            const struct
            {
                const char *key;
                int at;
                QStringList entries;
                QString (*shown)(uint8_t);
                int firstValue; // the byte the first entry stores
                QString caption;
            } cells[] = {
                {"pair", 0, pairs, &TwoToneArea::pairText, 0, QString()},
                {"response", 1, responses, &responseShown, 0, headerCaption(TwoToneText::DecodeHeaders, 2)},
                {"alert", 2, alerts, &TwoToneArea::alertText, 1, headerCaption(TwoToneText::DecodeHeaders, 3)},
            };
            for (const auto &c : cells) {
                const int at = address + c.at;
                const QStringList entries = c.entries;
                const auto shown = c.shown;
                const int first = c.firstValue;
                Field f;
                f.key = group + QLatin1String(c.key);
                f.caption = c.caption;
                f.bits = {{at, 0xFF}};
                f.flowParent = true;
                f.comment = allowedText(entries) + QStringLiteral(" or \"\"");
                f.show = [at, shown](const MemoryImage &image) -> std::optional<QString> { return shown(image.at(at)); };
                f.store = [at, entries, first](MemoryImage &image, const QString &text) {
                    if (text.trimmed().isEmpty()) {
                        image.setAt(at, MemoryImage::Empty);
                        return QString();
                    }
                    const int position = entryIndex(entries, text);
                    if (position < 0)
                        return QStringLiteral("is not one of %1, or \"\"").arg(allowedText(entries));
                    image.setAt(at, uint8_t(position + first));
                    return QString();
                };
                out << f;
            }
        }
        for (int tone = 0; tone < TwoToneArea::ToneCount; ++tone) {
            Field f;
            f.key = QStringLiteral("decode.%1.tone_%2").arg(n).arg(QChar(u'a' + tone));
            f.caption = TwoToneText::Tones[tone].text(true);
            f.bits = wholeBytes(base + O::toneSetHz(n, tone), 2) + wholeBytes(base + O::toneSetPeriod(n, tone), 2);
            f.comment = QStringLiteral("Hz, 300-3000, or \"\"");
            f.show = [base, size, n, tone](const MemoryImage &image) -> std::optional<QString> {
                QString text = TwoToneArea::toneSetText(AreaView(reading(image), base, size), n, tone);
                text.chop(text.endsWith(QLatin1String(".0")) ? 2 : 0);
                return text;
            };
            f.store = [base, size, n, tone, range](MemoryImage &image, const QString &text) {
                const ToneInput input = TwoToneArea::parseDecodeTone(text);
                if (input.kind == ToneInput::Kind::OutOfRange)
                    return range;
                AreaView view(image, base, size);
                TwoToneArea::storeToneSetTone(view, n, tone, input.hz);
                return QString();
            };
            out << f;
        }
    }
    addTable(out, QString(), base, size, {TwoToneArea::resetTime()});
    return out;
}

FieldList fiveTone()
{
    using O = FiveToneArea::Offset;
    const int base = Area::FiveToneCodes.firstAddress();
    const int size = Area::FiveToneCodes.byteCount();
    const QStringList names = FiveToneArea::standardNames();
    FieldList out;
    for (int s = 0; s < FiveToneArea::StandardCount; ++s) {
        const QString prefix = QStringLiteral("standards.%1.").arg(names.at(s));
        int column = 1; // the standards grid's column
        for (const ListField *lf : {&FiveToneArea::period(s), &FiveToneArea::groupTone(s), &FiveToneArea::repeatTone(s)}) {
            Field f = listField(prefix + snakeCase(lf->name), base, size, *lf);
            f.flowParent = true;
            f.caption = headerCaption(FiveToneText::StandardHeaders, column++);
            out << f;
        }
    }
    for (int n = 1; n <= FiveToneArea::CodeCount; ++n) {
        const QString prefix = QStringLiteral("encode.%1.").arg(n);
        for (int frame = 0; frame < FiveToneArea::FrameCount; ++frame) {
            Field f;
            f.key = prefix + QStringLiteral("frame_%1").arg(frame + 1);
            f.caption = headerCaption(FiveToneText::EncodeHeaders, 1 + frame);
            f.bits = wholeBytes(base + O::frame(n, frame), FiveToneArea::FrameDigits);
            f.style = Style::Quoted;
            f.flowParent = true;
            f.comment = QStringLiteral("5 of 0-9, A-F, or \"\"");
            f.show = [base, size, n, frame](const MemoryImage &image) -> std::optional<QString> {
                return FiveToneArea::frameText(AreaView(reading(image), base, size), n, frame);
            };
            f.store = [base, size, n, frame](MemoryImage &image, const QString &text) {
                const QString problem = QStringLiteral("needs 5 digits of 0-9, A-F, or nothing");
                for (QChar ch : text.trimmed()) {
                    if (hexDigitToCode(ch) == NoDigit)
                        return problem;
                }
                AreaView view(image, base, size);
                return FiveToneArea::storeFrame(view, n, frame, text) ? QString() : problem;
            };
            out << f;
        }
        const int address = base + O::encodeStandard(n);
        Field standard;
        standard.key = prefix + QStringLiteral("standard");
        standard.caption = headerCaption(FiveToneText::EncodeHeaders, 4);
        standard.bits = {{address, 0xFF}};
        standard.flowParent = true;
        standard.comment = allowedText(names) + QStringLiteral(" or \"\"");
        standard.show = [address](const MemoryImage &image) -> std::optional<QString> {
            return FiveToneStandards::name(image.at(address));
        };
        standard.store = [address, names](MemoryImage &image, const QString &text) {
            if (text.trimmed().isEmpty()) {
                image.setAt(address, MemoryImage::Empty);
                return QString();
            }
            const int index = entryIndex(names, text);
            if (index < 0)
                return QStringLiteral("is not one of %1, or \"\"").arg(allowedText(names));
            image.setAt(address, uint8_t(index));
            return QString();
        };
        out << standard;
    }
    addTable(out, QString(), base, size, FiveToneArea::settingsFields());
    const QStringList frames{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    out << bitSetField(QStringLiteral("call_frames"), base + O::callFrames, frames, &FiveToneText::CallFrames)
        << bitSetField(QStringLiteral("display_frames"), base + O::displayFrames, frames, &FiveToneText::DisplayFrames);
    return out;
}

} // namespace ConfigFields
