#include "config/configtext.h"

#include "channels/channelrecord.h"
#include "config/configfields.h"
#include "fm/fmpresets.h"
#include "image/areamap.h"
#include "image/memoryimage.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QVector>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <yaml-cpp/yaml.h>

namespace ConfigText {

namespace {

using ConfigFields::Bits;
using ConfigFields::Field;
using ConfigFields::FieldList;

const char Raw[] = "raw";
const char Number[] = "number";
constexpr int MessagesShown = 10;
const QLatin1String NotRaw("--");

struct MapSection
{
    const char *key;
    FieldList fields;
};

// The sections' fields are built once per band limits and thread: building them is most of
// the cost of importing a few keys, and the fleet imports on its stations' threads. The list
// is shared, not copied, so a caller's list stays whole whatever is built after it.
QVector<MapSection> mapSections(const BandLimits &limits)
{
    thread_local std::optional<BandLimits> builtFor;
    thread_local QVector<MapSection> sections;
    if (builtFor != limits) {
        sections = {{"options", ConfigFields::options()},
                    {"band_a", ConfigFields::bandRecord(false, limits)},
                    {"band_b", ConfigFields::bandRecord(true, limits)},
                    {"dtmf", ConfigFields::dtmf()},
                    {"two_tone", ConfigFields::twoTone()},
                    {"five_tone", ConfigFields::fiveTone()}};
        builtFor = limits;
    }
    return sections;
}

// Showing never writes; a channel record wants a mutable image only because it can.
MemoryImage &reading(const MemoryImage &image)
{
    return const_cast<MemoryImage &>(image);
}

// The channels and the FM presets: a list of the entries in use, each a map of its fields
// and its number; an entry the list leaves out is emptied.
struct ListSection
{
    const char *key;
    const char *noun;  // in messages: "channel 5 needs rx"
    const char *needs; // what an entry in use cannot be without
    int first;         // the number of entry 0
    int count;
    FieldList (*fields)(int entry, const BandLimits &limits);
    bool (*isEmpty)(const MemoryImage &image, int entry);
    void (*clear)(MemoryImage &image, int entry);
    // An entry that comes into use starts from this, as in its grid; nothing when null.
    void (*start)(MemoryImage &image, int entry);
    // What an import gives each byte of an emptied entry.
    void (*emptied)(int entry, std::array<int, MemoryImage::Size> &implied);
};

const ListSection ListSections[] = {
    {"channels", "channel", "rx", 0, ChannelRecord::Count, &ConfigFields::channel,
     [](const MemoryImage &image, int c) { return ChannelRecord(reading(image), c).isEmpty(); }, &clearChannel,
     &createChannel,
     [](int c, std::array<int, MemoryImage::Size> &implied) {
         for (const int row : {Area::Channels.firstRow + c, Area::ChannelNames.firstRow + c}) {
             for (int column = 0; column < MemoryImage::Columns; ++column)
                 implied[MemoryImage::addressOf(row, column)] = MemoryImage::Empty;
         }
     }},
    {"fm", "preset", "a frequency", ConfigFields::FmPresetNumberBase, FmPreset::Count,
     [](int p, const BandLimits &) { return ConfigFields::fmPreset(p); }, &FmPreset::isEmpty, &FmPreset::setEmpty,
     nullptr,
     [](int p, std::array<int, MemoryImage::Size> &implied) {
         // Frequency digits 0, name bytes 0xFF.
         const int first = MemoryImage::addressOf(Area::Fm.firstRow + p, 0);
         for (int i = 0; i < MemoryImage::Columns; ++i)
             implied[first + i] = i < FmPreset::NameOffset ? 0 : MemoryImage::Empty;
     }},
};

std::string utf8(const QString &text)
{
    return text.toStdString();
}

QString fromUtf8(const std::string &text)
{
    return QString::fromStdString(text);
}

QString hexAddress(int address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

// ---- writing ----

// What the export decided for every byte: the bits names give back exactly, the bytes
// raw must hold, and the value an import gives a byte of an emptied channel or preset.
struct Coverage
{
    std::array<uint8_t, MemoryImage::Size> named{};
    std::array<bool, MemoryImage::Size> raw{};
    std::array<int, MemoryImage::Size> implied;

    Coverage() { implied.fill(-1); }
};

struct Named
{
    const Field *field;
    QString text;
};

// A field is written by name when its text passes the import's checks; its bytes go to raw
// as well unless storing that text gives back exactly the bits it holds.
std::optional<QString> settle(const Field &f, const MemoryImage &image, MemoryImage &scratch, Coverage &coverage)
{
    const std::optional<QString> text = f.show(image);
    bool named = false;
    bool exact = false;
    if (text) {
        named = f.store(scratch, *text).isEmpty();
        exact = named;
        for (const Bits &b : f.bits) {
            if ((scratch.at(b.address) ^ image.at(b.address)) & b.mask)
                exact = false;
            scratch.setAt(b.address, image.at(b.address));
        }
    }
    for (const Bits &b : f.bits) {
        if (exact)
            coverage.named[b.address] |= b.mask;
        else
            coverage.raw[b.address] = true;
    }
    return named ? text : std::nullopt;
}

QVector<Named> settleAll(const FieldList &fields, const MemoryImage &image, MemoryImage &scratch, Coverage &coverage)
{
    QVector<Named> out;
    for (const Field &f : fields) {
        if (const auto text = settle(f, image, scratch, coverage))
            out.push_back({&f, *text});
    }
    return out;
}

// Whether a YAML 1.1 reader (the schema most scripting languages' libraries still read
// with) takes this text, unquoted, for anything but the same string: a boolean (ON, no, y in
// any case), a null, a number of another base, a float, a sexagesimal or signed number, a
// date, a merge or value key. A plain decimal integer reads back as the same digits.
bool readsOtherwiseInYaml11(const QString &text)
{
    static const QRegularExpression otherwise(
        QStringLiteral("^(?:"
                       "y|n|yes|no|true|false|on|off"                       // booleans
                       "|~|null"                                           // nulls
                       "|[-+]?0b[0-1_]+|[-+]?0[0-7_]+|[-+]?0x[0-9a-f_]+"   // other bases
                       "|[-+]?(?:0|[1-9][0-9_]*)"                           // decimal integers
                       "|[-+]?[0-9][0-9_]*(?::[0-5]?[0-9])+(?:\\.[0-9_]*)?"   // base 60
                       "|[-+]?(?:[0-9][0-9_]*)?\\.[0-9._]*(?:e[-+]?[0-9]+)?"  // floats
                       "|[-+]?\\.inf|\\.nan"
                       "|[0-9]{4}-[0-9]{1,2}-[0-9]{1,2}.*"                  // dates, times
                       "|<<|="
                       ")$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression sameDigits(QStringLiteral("^(?:0|-?[1-9][0-9]*)$"));
    return text.isEmpty() || (otherwise.match(text).hasMatch() && !sameDigits.match(text).hasMatch());
}

void emitScalar(YAML::Emitter &out, const QString &text)
{
    if (readsOtherwiseInYaml11(text))
        out << YAML::DoubleQuoted;
    out << utf8(text);
}

void emitValue(YAML::Emitter &out, const Field &f, const QString &text)
{
    switch (f.style) {
    case Field::Style::Sequence:
        out << YAML::Flow << YAML::BeginSeq;
        for (const QString &item : text.split(QStringLiteral(", "), Qt::SkipEmptyParts))
            emitScalar(out, item);
        out << YAML::EndSeq;
        break;
    case Field::Style::Quoted:
        out << YAML::DoubleQuoted << utf8(text);
        break;
    case Field::Style::Plain:
        emitScalar(out, text);
        break;
    }
}

// The fields' dotted keys as nested maps, inside a map already open. A map written on one
// line carries no comments inside; the first such map of its parent names the values of
// its keys after it.
void emitFields(YAML::Emitter &out, const QVector<Named> &items)
{
    QStringList open;
    bool inFlow = false;
    QStringList flowComments;
    QSet<QString> commentedParents;
    auto close = [&] {
        out << YAML::EndMap;
        open.removeLast();
        if (inFlow && !flowComments.isEmpty() && !commentedParents.contains(open.join(QLatin1Char('.')))) {
            commentedParents.insert(open.join(QLatin1Char('.')));
            out << YAML::Comment(utf8(flowComments.join(QStringLiteral("; "))));
        }
        inFlow = false;
        flowComments.clear();
    };
    for (const Named &item : items) {
        QStringList parts = item.field->key.split(QLatin1Char('.'));
        const QString leaf = parts.takeLast();
        int common = 0;
        while (common < open.size() && common < parts.size() && open.at(common) == parts.at(common))
            ++common;
        while (open.size() > common)
            close();
        while (open.size() < parts.size()) {
            out << YAML::Key << utf8(parts.at(open.size())) << YAML::Value;
            if (item.field->flowParent && open.size() == parts.size() - 1) {
                out << YAML::Flow;
                inFlow = true;
            }
            out << YAML::BeginMap;
            open << parts.at(open.size());
        }
        out << YAML::Key << utf8(leaf) << YAML::Value;
        emitValue(out, *item.field, item.text);
        if (item.field->comment.isEmpty())
            continue;
        if (inFlow)
            flowComments << leaf + QStringLiteral(": ") + item.field->comment;
        else
            out << YAML::Comment(utf8(item.field->comment));
    }
    while (!open.isEmpty())
        close();
}

QString rawToken(const MemoryImage &image, const Coverage &c, int a)
{
    const uint8_t value = image.at(a);
    bool needed;
    if (c.raw[a])
        needed = true;
    else if (c.implied[a] >= 0)
        needed = value != c.implied[a];
    else if (c.named[a] != 0)
        // Bits no field names keep the base's value; they are written when they are not 0.
        needed = (value & ~c.named[a]) != 0;
    else
        needed = true;
    return needed ? QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper() : QString(NotRaw);
}

void emitRaw(YAML::Emitter &out, const MemoryImage &image, const Coverage &coverage)
{
    out << YAML::Key << Raw << YAML::Value;
    out << YAML::Comment("16 bytes a row, from the address given; \"--\": the byte named above");
    QVector<QPair<int, QString>> rows; // first row of a run of equal rows, its tokens
    QVector<int> lastRows;
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        QStringList tokens;
        for (int column = 0; column < MemoryImage::Columns; ++column)
            tokens << rawToken(image, coverage, MemoryImage::addressOf(row, column));
        if (tokens.count(NotRaw) == MemoryImage::Columns)
            continue;
        const QString line = tokens.join(QLatin1Char(' '));
        if (!rows.isEmpty() && lastRows.last() == row - 1 && rows.last().second == line) {
            lastRows.last() = row;
            continue;
        }
        rows.push_back({row, line});
        lastRows.push_back(row);
    }
    if (rows.isEmpty()) {
        out << YAML::Flow << YAML::BeginMap << YAML::EndMap;
        return;
    }
    out << YAML::BeginMap;
    for (int i = 0; i < rows.size(); ++i) {
        QString key = hexAddress(MemoryImage::addressOf(rows.at(i).first, 0));
        if (lastRows.at(i) != rows.at(i).first)
            key += QLatin1Char('-') + hexAddress(MemoryImage::addressOf(lastRows.at(i), MemoryImage::Columns - 1));
        out << YAML::Key << YAML::DoubleQuoted << utf8(key) << YAML::Value << YAML::DoubleQuoted << utf8(rows.at(i).second);
    }
    out << YAML::EndMap;
}

// ---- reading ----

struct Reader
{
    QString fileName;
    QVector<QPair<int, QString>> found; // line (0 when unknown), message

    void error(const YAML::Mark &mark, const QString &path, const QString &what)
    {
        const QString line = mark.is_null() ? QString() : QStringLiteral(":%1").arg(mark.line + 1);
        found.push_back({mark.is_null() ? 0 : mark.line + 1, QStringLiteral("%1%2 %3: %4").arg(fileName, line, path, what)});
    }

    // In file order, whatever order the sections were checked in.
    QStringList errors() const
    {
        QVector<QPair<int, QString>> sorted = found;
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        QStringList out;
        for (const auto &f : sorted)
            out << f.second;
        return out;
    }
};

QString valueText(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("\"\"") : text;
}

// A leaf's text, or nothing (with the error given) for a node of the wrong kind.
std::optional<QString> leafText(const YAML::Node &node, const Field &f, const YAML::Mark &mark, const QString &path,
                                Reader &reader)
{
    if (node.IsNull())
        return QString();
    if (node.IsScalar()) {
        const QString text = fromUtf8(node.Scalar());
        // An unquoted ("?") true or false is what a YAML 1.1 tool wrote back for ON or OFF.
        if (f.offOn && node.Tag() == "?") {
            if (text == QLatin1String("true") || text == QLatin1String("True") || text == QLatin1String("TRUE"))
                return QStringLiteral("ON");
            if (text == QLatin1String("false") || text == QLatin1String("False") || text == QLatin1String("FALSE"))
                return QStringLiteral("OFF");
        }
        return text;
    }
    if (node.IsSequence() && f.style == Field::Style::Sequence) {
        QStringList items;
        for (const YAML::Node &item : node) {
            if (!item.IsScalar()) {
                reader.error(item.Mark(), path, QStringLiteral("expects a list of values"));
                return std::nullopt;
            }
            items << fromUtf8(item.Scalar()).trimmed();
        }
        return items.join(QStringLiteral(", "));
    }
    reader.error(mark, path, node.IsMap() ? QStringLiteral("expects a value, not a map") : QStringLiteral("expects one value, not a list"));
    return std::nullopt;
}

struct Given
{
    QString text;
    YAML::Mark mark;
    QString path;
};

// The leaves of one map of fields, by the field's index; unknown keys are errors.
class FieldMap
{
public:
    explicit FieldMap(const FieldList &fields)
        : m_fields(fields)
    {
        for (int i = 0; i < fields.size(); ++i) {
            m_index.insert(fields.at(i).key, i);
            QString prefix = fields.at(i).key;
            for (int dot = prefix.lastIndexOf(QLatin1Char('.')); dot > 0; dot = prefix.lastIndexOf(QLatin1Char('.'))) {
                prefix.truncate(dot);
                m_prefixes.insert(prefix);
            }
        }
    }

    // `skip` names a key the caller reads itself (a channel's number).
    void read(const YAML::Node &map, const QString &path, Reader &reader, QHash<int, Given> &given,
              const char *skip = nullptr, const QString &prefix = QString()) const
    {
        QSet<QString> seen;
        for (auto it = map.begin(); it != map.end(); ++it) {
            const YAML::Node key = it->first;
            const YAML::Node value = it->second;
            if (!key.IsScalar()) {
                reader.error(key.Mark(), path, QStringLiteral("a key must be a name"));
                continue;
            }
            const QString name = fromUtf8(key.Scalar());
            const QString full = prefix.isEmpty() ? name : prefix + QLatin1Char('.') + name;
            const QString where = path + QLatin1Char('.') + name;
            if (seen.contains(name)) {
                reader.error(key.Mark(), where, QStringLiteral("is given twice"));
                continue;
            }
            seen.insert(name);
            if (skip && prefix.isEmpty() && name == QLatin1String(skip))
                continue;
            const YAML::Mark mark = value.IsNull() ? key.Mark() : value.Mark();
            if (const auto i = m_index.find(full); i != m_index.end()) {
                if (const auto text = leafText(value, m_fields.at(*i), mark, where, reader))
                    given.insert(*i, Given{*text, mark, where});
            } else if (m_prefixes.contains(full)) {
                if (value.IsMap())
                    read(value, where, reader, given, skip, full);
                else
                    reader.error(mark, where, QStringLiteral("expects a map"));
            } else {
                reader.error(key.Mark(), where, QStringLiteral("is not a key this program knows"));
            }
        }
    }

private:
    const FieldList &m_fields;
    QHash<QString, int> m_index;
    QSet<QString> m_prefixes;
};

// FieldList in their own order, so that a field whose text reads another (a channel's power
// reads whether it is empty) comes after it.
void applyFields(const FieldList &fields, const QHash<int, Given> &given, MemoryImage &work,
                 const std::vector<bool> &rawGiven, Reader &reader)
{
    for (int i = 0; i < fields.size(); ++i) {
        const auto g = given.find(i);
        if (g == given.end())
            continue;
        const Field &f = fields.at(i);
        // Raw holds the exact bytes of a value its name does not store alone (an "OFF"
        // kept as FF FF); the name then only has to agree with them.
        bool allRaw = true;
        for (const Bits &b : f.bits)
            allRaw = allRaw && rawGiven[b.address];
        if (allRaw) {
            const auto shown = f.show(work);
            if (shown && *shown == g->text)
                continue;
        }
        const QString problem = f.store(work, g->text);
        if (!problem.isEmpty())
            reader.error(g->mark, g->path, valueText(g->text.trimmed()) + QLatin1Char(' ') + problem);
    }
}

struct ListedEntry
{
    int number;
    YAML::Node node;
    QString path;
};

// A list of entries with a `number` from `first` to `first + count - 1`, each at most once.
QVector<ListedEntry> readList(const YAML::Node &node, const char *section, int first, int count, Reader &reader)
{
    QVector<ListedEntry> entries;
    if (!node.IsSequence()) {
        reader.error(node.Mark(), QString::fromLatin1(section), QStringLiteral("expects a list ([] for none)"));
        return entries;
    }
    QSet<int> numbers;
    int index = 0;
    for (const YAML::Node &item : node) {
        const QString path = QStringLiteral("%1[%2]").arg(QLatin1String(section)).arg(index++);
        if (!item.IsMap()) {
            reader.error(item.Mark(), path, QStringLiteral("expects a map of settings"));
            continue;
        }
        const YAML::Node number = item[Number];
        if (!number || !number.IsScalar()) {
            reader.error(item.Mark(), path, QStringLiteral("needs a number"));
            continue;
        }
        bool ok = false;
        const int n = fromUtf8(number.Scalar()).trimmed().toInt(&ok);
        if (!ok || n < first || n >= first + count) {
            reader.error(number.Mark(), path + QStringLiteral(".number"),
                         QStringLiteral("%1 is not a number from %2 to %3").arg(valueText(fromUtf8(number.Scalar()))).arg(first).arg(first + count - 1));
            continue;
        }
        if (numbers.contains(n)) {
            reader.error(number.Mark(), path + QStringLiteral(".number"), QStringLiteral("%1 is listed twice").arg(n));
            continue;
        }
        numbers.insert(n);
        entries.push_back({n - first, item, path});
    }
    return entries;
}

bool parseHexByte(const QString &token, uint8_t &value)
{
    bool ok = false;
    const uint v = token.toUInt(&ok, 16);
    value = uint8_t(v);
    return ok && token.size() == 2 && v <= 0xFF;
}

void applyRaw(const YAML::Node &node, MemoryImage &work, std::vector<bool> &rawGiven, Reader &reader)
{
    if (!node.IsMap()) {
        reader.error(node.Mark(), QString::fromLatin1(Raw), QStringLiteral("expects a map of rows ({} for none)"));
        return;
    }
    std::vector<bool> rowGiven(MemoryImage::Rows, false);
    for (auto it = node.begin(); it != node.end(); ++it) {
        const YAML::Node key = it->first;
        const YAML::Node value = it->second;
        const QString name = key.IsScalar() ? fromUtf8(key.Scalar()).trimmed() : QString();
        const QString path = QStringLiteral("raw.%1").arg(name);
        const QStringList ends = name.split(QLatin1Char('-'));
        bool firstOk = false, lastOk = ends.size() == 2 ? false : true;
        const int firstAddress = ends.value(0).size() == 4 ? int(ends.value(0).toUInt(&firstOk, 16)) : -1;
        int lastAddress = firstAddress + MemoryImage::Columns - 1;
        if (ends.size() == 2 && ends.at(1).size() == 4)
            lastAddress = int(ends.at(1).toUInt(&lastOk, 16));
        if (!firstOk || !lastOk || ends.size() > 2 || firstAddress % MemoryImage::Columns != 0
            || lastAddress % MemoryImage::Columns != MemoryImage::Columns - 1 || lastAddress < firstAddress
            || lastAddress >= MemoryImage::Size) {
            reader.error(key.Mark(), path,
                         QStringLiteral("is not a row address: four hex digits ending in 0 (\"0C80\"), or a range "
                                        "of rows (\"0C80-0DFF\"), within 0000-%1")
                             .arg(hexAddress(MemoryImage::Size - 1)));
            continue;
        }
        const QStringList tokens = value.IsScalar() ? fromUtf8(value.Scalar()).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
        QVector<int> bytes; // -1 for "--"
        bool good = tokens.size() == MemoryImage::Columns;
        for (const QString &t : tokens) {
            uint8_t b = 0;
            if (t == NotRaw)
                bytes << -1;
            else if (parseHexByte(t, b))
                bytes << b;
            else
                good = false;
        }
        if (!good) {
            reader.error(value.Mark(), path, QStringLiteral("needs 16 bytes, each two hex digits or --"));
            continue;
        }
        const int firstRow = MemoryImage::rowOf(firstAddress), lastRow = MemoryImage::rowOf(lastAddress);
        bool twice = false;
        for (int row = firstRow; row <= lastRow; ++row)
            twice = twice || rowGiven[row];
        if (twice) {
            reader.error(key.Mark(), path, QStringLiteral("gives a row that another entry gives too"));
            continue;
        }
        for (int row = firstRow; row <= lastRow; ++row) {
            rowGiven[row] = true;
            for (int column = 0; column < MemoryImage::Columns; ++column) {
                if (bytes.at(column) < 0)
                    continue;
                const int address = MemoryImage::addressOf(row, column);
                work.setAt(address, uint8_t(bytes.at(column)));
                rawGiven[address] = true;
            }
        }
    }
}

} // namespace

QByteArray exportImage(const MemoryImage &image)
{
    // The export checks nothing against band limits a later import may not share: a
    // frequency is written by name whenever it passes the start-up limits' entry check.
    const BandLimits limits = BandLimits::startup();
    auto scratch = std::make_unique<MemoryImage>(image);
    auto coverage = std::make_unique<Coverage>();

    YAML::Emitter out;
    out << YAML::Comment("orvane-cps configuration. A key left out keeps the value of the image it is read into;\n"
                         "channels and fm list every channel and preset in use. raw holds every byte no key names.");
    out << YAML::BeginMap;

    for (const ListSection &list : ListSections) {
        out << YAML::Key << list.key << YAML::Value;
        QVector<std::pair<int, FieldList>> inUse;
        for (int n = 0; n < list.count; ++n) {
            if (list.isEmpty(image, n))
                list.emptied(n, coverage->implied);
            else
                inUse.push_back({n, list.fields(n, limits)});
        }
        if (inUse.isEmpty()) {
            out << YAML::Flow << YAML::BeginSeq << YAML::EndSeq;
            continue;
        }
        out << YAML::BeginSeq;
        for (const auto &[n, fields] : inUse) {
            out << YAML::BeginMap << YAML::Key << Number << YAML::Value << n + list.first;
            emitFields(out, settleAll(fields, image, *scratch, *coverage));
            out << YAML::EndMap;
        }
        out << YAML::EndSeq;
    }

    for (const MapSection &section : mapSections(limits)) {
        out << YAML::Key << section.key << YAML::Value << YAML::BeginMap;
        emitFields(out, settleAll(section.fields, image, *scratch, *coverage));
        out << YAML::EndMap;
    }

    emitRaw(out, image, *coverage);
    out << YAML::EndMap;
    return QByteArray(out.c_str(), int(out.size())) + '\n';
}

QString ImportResult::errorMessage() const
{
    QStringList lines = errors.mid(0, MessagesShown);
    if (errors.size() > MessagesShown)
        lines << QStringLiteral("... and %1 more").arg(errors.size() - MessagesShown);
    return lines.join(QLatin1Char('\n'));
}

namespace {

ImportResult importChecked(const QByteArray &yaml, MemoryImage &image, const BandLimits &limits, Reader &reader)
{
    const QString &fileName = reader.fileName;
    ImportResult result;
    YAML::Node root;
    try {
        root = YAML::Load(std::string(yaml.constData(), size_t(yaml.size())));
    } catch (const YAML::Exception &e) {
        const QString line = e.mark.is_null() ? QString() : QStringLiteral(":%1").arg(e.mark.line + 1);
        result.errors << QStringLiteral("%1%2 is not YAML: %3").arg(fileName, line, fromUtf8(e.msg));
        return result;
    }
    if (root.IsNull()) {
        result.ok = true;
        return result;
    }
    if (!root.IsMap()) {
        reader.error(root.Mark(), QStringLiteral("the file"), QStringLiteral("must be a map of sections (channels, fm, options, ...)"));
        result.errors = reader.errors();
        return result;
    }

    auto work = std::make_unique<MemoryImage>(image);
    const QVector<MapSection> sections = mapSections(limits);
    QHash<QString, YAML::Node> given;
    for (auto it = root.begin(); it != root.end(); ++it) {
        const QString key = it->first.IsScalar() ? fromUtf8(it->first.Scalar()) : QString();
        bool known = key == QLatin1String(Raw);
        for (const ListSection &list : ListSections)
            known = known || key == QLatin1String(list.key);
        for (const MapSection &s : sections)
            known = known || key == QLatin1String(s.key);
        if (!known)
            reader.error(it->first.Mark(), key, QStringLiteral("is not a key this program knows"));
        else if (given.contains(key))
            reader.error(it->first.Mark(), key, QStringLiteral("is given twice"));
        else
            given.insert(key, it->second);
    }

    // The lists say which channels and presets are in use; the others are emptied, and a
    // channel that comes into use starts from the new-channel defaults, as in the grid.
    QVector<ListedEntry> listed[std::size(ListSections)];
    for (size_t l = 0; l < std::size(ListSections); ++l) {
        const ListSection &list = ListSections[l];
        if (!given.contains(QLatin1String(list.key)))
            continue;
        listed[l] = readList(given.value(QLatin1String(list.key)), list.key, list.first, list.count, reader);
        QSet<int> numbers;
        for (const ListedEntry &e : listed[l])
            numbers.insert(e.number);
        for (int n = 0; n < list.count; ++n) {
            if (!numbers.contains(n))
                list.clear(*work, n);
            else if (list.start && list.isEmpty(*work, n))
                list.start(*work, n);
        }
    }

    std::vector<bool> rawGiven(MemoryImage::Size, false);
    if (given.contains(QLatin1String(Raw)))
        applyRaw(given.value(QLatin1String(Raw)), *work, rawGiven, reader);

    for (size_t l = 0; l < std::size(ListSections); ++l) {
        const ListSection &list = ListSections[l];
        for (const ListedEntry &e : listed[l]) {
            const FieldList fields = list.fields(e.number, limits);
            QHash<int, Given> values;
            FieldMap(fields).read(e.node, e.path, reader, values, Number);
            applyFields(fields, values, *work, rawGiven, reader);
            if (list.isEmpty(*work, e.number))
                reader.error(e.node.Mark(), e.path,
                             QStringLiteral("%1 %2 needs %3").arg(QLatin1String(list.noun)).arg(e.number + list.first).arg(QLatin1String(list.needs)));
        }
    }
    for (const MapSection &s : sections) {
        const QString key = QLatin1String(s.key);
        if (!given.contains(key))
            continue;
        const YAML::Node node = given.value(key);
        if (!node.IsMap()) {
            reader.error(node.Mark(), key, QStringLiteral("expects a map of settings"));
            continue;
        }
        QHash<int, Given> values;
        FieldMap(s.fields).read(node, key, reader, values);
        applyFields(s.fields, values, *work, rawGiven, reader);
    }

    result.errors = reader.errors();
    result.ok = result.errors.isEmpty();
    if (result.ok)
        image = *work;
    return result;
}

} // namespace

ImportResult importInto(const QByteArray &yaml, MemoryImage &image, const BandLimits &limits, const QString &fileName)
{
    ImportResult result;
    Reader reader{fileName, {}};
    try {
        return importChecked(yaml, image, limits, reader);
    } catch (const YAML::Exception &e) {
        result.errors << QStringLiteral("%1 is not YAML: %2").arg(fileName, fromUtf8(e.msg));
        return result;
    }
}

namespace {

// Where a key path leads: a map section's field list, or one entry's of a list section.
struct KeyTarget
{
    const ListSection *list = nullptr; // none for a map section
    int index = 0;                     // the map section, or the entry (from 0)
    int field = -1;

    bool sameEntry(const KeyTarget &o) const { return list == o.list && index == o.index; }
};

int fieldIndex(const FieldList &fields, const QString &key)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).key == key)
            return i;
    }
    return -1;
}

QString resolveKey(const QString &path, const QVector<MapSection> &sections, const BandLimits &limits, KeyTarget &target)
{
    const QString unknown = QStringLiteral("is not a key this program knows");
    const int dot = path.indexOf(QLatin1Char('.'));
    if (dot <= 0)
        return unknown;
    const QString section = path.left(dot);
    QString rest = path.mid(dot + 1);
    for (const ListSection &list : ListSections) {
        if (section != QLatin1String(list.key))
            continue;
        const int end = rest.indexOf(QLatin1Char('.'));
        bool ok = false;
        const int n = rest.left(end).toInt(&ok);
        if (!ok || n < list.first || n >= list.first + list.count || end < 0)
            return QStringLiteral("needs a %1 number from %2 to %3 and a key after it (%4.%2.name)")
                .arg(QLatin1String(list.noun))
                .arg(list.first)
                .arg(list.first + list.count - 1)
                .arg(section);
        target.list = &list;
        target.index = n - list.first;
        target.field = fieldIndex(list.fields(target.index, limits), rest.mid(end + 1));
        return target.field < 0 ? unknown : QString();
    }
    for (int s = 0; s < sections.size(); ++s) {
        if (section != QLatin1String(sections.at(s).key))
            continue;
        target.list = nullptr;
        target.index = s;
        target.field = fieldIndex(sections.at(s).fields, rest);
        return target.field < 0 ? unknown : QString();
    }
    return unknown;
}

} // namespace

QString keyPathProblem(const QString &path)
{
    const BandLimits limits = BandLimits::startup();
    KeyTarget target;
    return resolveKey(path, mapSections(limits), limits, target);
}

ImportResult setKeys(const QVector<KeyText> &keys, MemoryImage &image, const BandLimits &limits, const QString &where)
{
    Reader reader{where, {}};
    const QVector<MapSection> sections = mapSections(limits);
    // The givens of one entry are stored together, in its fields' order, as an import does.
    QVector<QPair<KeyTarget, QHash<int, Given>>> entries;
    QSet<QString> seen;
    for (const KeyText &k : keys) {
        KeyTarget target;
        if (const QString problem = resolveKey(k.path, sections, limits, target); !problem.isEmpty()) {
            reader.error(YAML::Mark::null_mark(), k.path, problem);
            continue;
        }
        if (seen.contains(k.path)) {
            reader.error(YAML::Mark::null_mark(), k.path, QStringLiteral("is given twice"));
            continue;
        }
        seen.insert(k.path);
        auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto &e) { return e.first.sameEntry(target); });
        if (entry == entries.end()) {
            entries.push_back({target, {}});
            entry = entries.end() - 1;
        }
        entry->second.insert(target.field, Given{k.text, YAML::Mark::null_mark(), k.path});
    }

    auto work = std::make_unique<MemoryImage>(image);
    const std::vector<bool> noRaw(MemoryImage::Size, false);
    for (const auto &[target, given] : entries) {
        const ListSection *list = target.list;
        if (!list) {
            applyFields(sections.at(target.index).fields, given, *work, noRaw, reader);
            continue;
        }
        if (list->start && list->isEmpty(*work, target.index))
            list->start(*work, target.index);
        applyFields(list->fields(target.index, limits), given, *work, noRaw, reader);
        if (list->isEmpty(*work, target.index)) {
            const int number = target.index + list->first;
            reader.error(YAML::Mark::null_mark(), QStringLiteral("%1.%2").arg(QLatin1String(list->key)).arg(number),
                         QStringLiteral("%1 %2 is empty and needs %3").arg(QLatin1String(list->noun)).arg(number).arg(QLatin1String(list->needs)));
        }
    }
    ImportResult result;
    result.errors = reader.errors();
    result.ok = result.errors.isEmpty();
    if (result.ok)
        image = *work;
    return result;
}

} // namespace ConfigText
