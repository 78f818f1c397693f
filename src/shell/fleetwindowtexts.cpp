#include "shell/fleetwindowtexts.h"

#include <QRegularExpression>
#include <QStringList>
#include <iterator>
#include <vector>

namespace {

enum class Kind {
    Plain,
    Nested, // the last capture is a message of its own
    OneOf   // the value may be a set of names, ended by the one that is none of them
};

struct Shape
{
    const char *english; // a whole message, its variable parts captured
    const char *chinese; // %1, %2, ...: the captures, in order
    Kind kind = Kind::Plain;
};

// A value's problem follows the value itself: "12 needs 3 to 5 digits", "\"\" is outside
// 87-108". The more particular shapes come first.
const Shape ValueShapes[] = {
    {"is not one of 00\\.000MHZ \\.\\.\\. 99\\.950MHZ in steps of 0\\.050",
     "不在 00.000MHZ ... 99.950MHZ 之间，或不是 0.050 的整数倍"},
    {"is not one of (.*), or \"\"", "不是 %1 之一，也不是 \"\""},
    {"is not one of (.*)", "不是 %1 之一", Kind::OneOf},
    {"is longer than (\\d+) characters", "超过 %1 个字符"},
    {"is longer than (\\d+) digits", "超过 %1 位"},
    {"may hold only 0-9, A-D, \\* and #", "只能包含 0-9、A-D、* 和 #"},
    {"may hold only 0-9 and A-Z", "只能包含 0-9 和 A-Z"},
    {"may hold only 0-9, A-Z, \\+, - and spaces", "只能包含 0-9、A-Z、+、- 和空格"},
    {"may hold only printable ASCII characters without spaces", "只能包含可打印的 ASCII 字符，且不含空格"},
    {"is not a frequency in MHz", "不是以 MHz 为单位的频率"},
    {"is outside (\\S+) and (\\S+)", "超出 %1 和 %2 的范围"},
    {"is outside (\\S+)", "超出 %1 的范围"},
    {"cannot be stored", "无法存储"},
    {"is not a tone: OFF, a CTCSS tone of 60-259\\.9 Hz or a DCS code such as D023N",
     "不是有效的亚音：应为 OFF、60-259.9 Hz 的 CTCSS 亚音或 DCS 码（例如 D023N）"},
    {"needs 3 to 5 digits", "需要 3 到 5 位"},
    {"needs 5 digits of 0-9, A-F, or nothing", "需要 5 位 0-9、A-F，或留空"},
};

// Messages that name no value first.
const Shape WholeShapes[] = {
    {"is not a key this program knows", "不是本程序认识的配置键"},
    {"is given twice", "重复出现"},
    {"needs a channel number from (\\d+) to (\\d+) and a key after it \\((\\S+)\\)",
     "需要 %1 到 %2 的信道编号，后接键名（%3）"},
    {"needs a preset number from (\\d+) to (\\d+) and a key after it \\((\\S+)\\)",
     "需要 %1 到 %2 的预置电台编号，后接键名（%3）"},
    {"channel (\\d+) is empty and needs rx", "信道 %1 为空，需要填写 rx"},
    {"preset (\\d+) is empty and needs a frequency", "预置电台 %1 为空，需要填写频率"},
    {"(.+) has a row already, on line (\\d+)", "%1 在第 %2 行已有一行"},
    {"has (\\d+) cells; the header names (\\d+)", "有 %1 个单元格，表头只有 %2 列"},
    {"column (\\d+): (.+)", "第 %1 列：%2", Kind::Nested},
    {"line (\\d+): a quoted cell is not closed", "第 %1 行：引号未闭合"},
    {"line (\\d+): the header must be \"radio\" followed by configuration keys, for example (\\S+)",
     "第 %1 行：表头必须以 \"radio\" 开头，后接配置键，例如 %2"},
    {"line (\\d+) has (\\d+) cells; the header names (\\d+)", "第 %1 行有 %2 个单元格，表头只有 %3 列"},
};

struct Compiled
{
    QRegularExpression pattern;
    QString chinese;
    Kind kind;
};

template<size_t N>
std::vector<Compiled> compile(const Shape (&shapes)[N], bool afterValue)
{
    std::vector<Compiled> out;
    for (const Shape &s : shapes) {
        const QString english = QString::fromUtf8(s.english);
        // The value before a problem may hold spaces, and may be "" itself.
        const QString whole = afterValue ? QStringLiteral("^(.*) %1$").arg(english) : QStringLiteral("^%1$").arg(english);
        out.push_back({QRegularExpression(whole, QRegularExpression::DotMatchesEverythingOption),
                       QString::fromUtf8(s.chinese), s.kind});
    }
    return out;
}

// In one pass, so that a "%1" a person typed into a cell stays as typed.
QString fill(const QString &chinese, const QStringList &captures)
{
    QString out;
    for (int i = 0; i < chinese.size(); ++i) {
        const QChar c = chinese.at(i);
        if (c == QLatin1Char('%') && i + 1 < chinese.size() && chinese.at(i + 1).isDigit()) {
            out += captures.value(chinese.at(i + 1).digitValue() - 1);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// "inspection, spy spy is not one of inspection, monitor, ...": the set given, and the one
// name in it that is none of the names.
bool setItemProblem(const QString &prefix, const QString &names, QString &out)
{
    for (int gap = prefix.lastIndexOf(QLatin1Char(' ')); gap > 0; gap = prefix.lastIndexOf(QLatin1Char(' '), gap - 1)) {
        const QString value = prefix.left(gap);
        const QString item = prefix.mid(gap + 1);
        QStringList given;
        for (const QString &part : value.split(QLatin1Char(',')))
            given << part.trimmed();
        if (!item.isEmpty() && given.contains(item)) {
            out = fill(QStringLiteral("%1 中的 %2 不是 %3 之一"), {value, item, names});
            return true;
        }
    }
    return false;
}

} // namespace

namespace FleetWindowTexts {

QString fault(const QString &english, bool chinese)
{
    if (!chinese)
        return english;
    static const std::vector<Compiled> wholes = compile(WholeShapes, false);
    static const std::vector<Compiled> values = compile(ValueShapes, true);
    for (const Compiled &c : wholes) {
        const QRegularExpressionMatch m = c.pattern.match(english);
        if (!m.hasMatch())
            continue;
        QStringList captures = m.capturedTexts().mid(1);
        if (c.kind == Kind::Nested)
            captures.last() = fault(captures.last(), true);
        return fill(c.chinese, captures);
    }
    for (const Compiled &c : values) {
        const QRegularExpressionMatch m = c.pattern.match(english);
        if (!m.hasMatch())
            continue;
        const QStringList captures = m.capturedTexts().mid(1);
        QString out;
        if (c.kind == Kind::OneOf && setItemProblem(captures.first(), captures.at(1), out))
            return out;
        return captures.first() + QLatin1Char(' ') + fill(c.chinese, captures.mid(1));
    }
    return english;
}

} // namespace FleetWindowTexts
