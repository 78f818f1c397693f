// orvane-cli merge and import-repeaters: channels from another plan or a repeater list put
// into a copy of a data file; and the plan loader diff shares with them.

#include "cli/commandline.h"

#include "channels/channelmerge.h"
#include "channels/repeaterlist.h"
#include "files/numberstream.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "shell/plansource.h"

#include <QFileInfo>
#include <memory>

namespace {

// A plan or a list is a few hundred kilobytes at most; this keeps a wrong pick from filling memory.
constexpr qint64 MaxPlanBytes = 16 * 1024 * 1024;

bool parsePlacement(const QString &text, ChannelMerge::Placement &placement)
{
    if (text.isEmpty() || text == QLatin1String("empty"))
        placement = ChannelMerge::Placement::EmptyFrom;
    else if (text == QLatin1String("insert"))
        placement = ChannelMerge::Placement::InsertAt;
    else if (text == QLatin1String("replace"))
        placement = ChannelMerge::Placement::ReplaceSame;
    else
        return false;
    return true;
}

} // namespace

int CommandLine::loadPlanFile(const QString &path, MemoryImage &image, bool channelsOnlyAllowed)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, MaxPlanBytes, bytes);
    if (!read.ok) {
        m_err << "orvane-cli: " << read.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    const QByteArray start = bytes.trimmed().left(1);
    // A data file is read as it always was, with the same messages.
    if (!start.isEmpty() && start.at(0) >= '0' && start.at(0) <= '9')
        return loadDataFile(path, image);
    const PlanSource::Result source = PlanSource::read(bytes, path, image);
    if (!source.ok) {
        m_err << "orvane-cli: " << source.error(false) << '\n' << Qt::flush;
        return BadFile;
    }
    if (!channelsOnlyAllowed && PlanSource::listsOnlyChannels(source.kind)) {
        m_err << "orvane-cli: " << path << ": a channel CSV lists only channels; give a data file or a configuration text\n"
              << Qt::flush;
        return BadFile;
    }
    return Done;
}

int CommandLine::mergeRows(const Arguments &args, const QString &command, QVector<ChannelMerge::Row> rows,
                           const QString &source)
{
    const QString into = args.values.value(QStringLiteral("into"));
    const QString output = args.values.value(QStringLiteral("o"));
    ChannelMerge::Placement placement;
    if (!parsePlacement(args.values.value(QStringLiteral("mode")), placement))
        return usageError(QStringLiteral("--mode takes empty, insert or replace"), command);
    int at = 0;
    if (args.values.contains(QLatin1String("at"))) {
        bool ok = false;
        at = args.values.value(QStringLiteral("at")).toInt(&ok);
        if (!ok || at < 0 || at > 199)
            return usageError(QStringLiteral("--at takes a channel number 0 to 199"), command);
    }
    BandLimits limits = BandLimits::startup();
    if (args.values.contains(QLatin1String("bands")) && !parseBandLimits(args.values.value(QStringLiteral("bands")), limits))
        return usageError(QStringLiteral("--bands takes four whole MHz values A_LO,A_HI,B_LO,B_HI"), command);

    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(into, *image); loaded != Done)
        return loaded;
    ChannelMerge::judge(rows, *image, limits, !args.flags.contains(QLatin1String("keep-duplicates")));
    ChannelMerge::Landing landing;
    if (!ChannelMerge::merge(*image, rows, placement, at, &landing)) {
        m_err << "orvane-cli: " << source << ": " << landing.refusalText(false) << '\n'
              << "orvane-cli: " << output << " was not written\n" << Qt::flush;
        return BadFile;
    }
    if (const int saved = saveDataFile(*image, output); saved != Done)
        return saved;
    for (const QString &line : ChannelMerge::report(rows, landing, false))
        m_out << line << '\n';
    m_out << Qt::flush;
    return Done;
}

int CommandLine::merge(const Arguments &args)
{
    const QString command = QStringLiteral("merge");
    if (args.values.value(QStringLiteral("into")).isEmpty() || args.values.value(QStringLiteral("o")).isEmpty())
        return usageError(QStringLiteral("merge needs --into BASE.dat and -o OUT.dat"), command);
    const QString source = args.positional.at(0);
    auto plan = std::make_unique<MemoryImage>();
    if (const int loaded = loadPlanFile(source, *plan, true); loaded != Done)
        return loaded;
    return mergeRows(args, command, ChannelMerge::rowsOf(*plan), source);
}

int CommandLine::importRepeaters(const Arguments &args)
{
    const QString command = QStringLiteral("import-repeaters");
    if (args.values.value(QStringLiteral("into")).isEmpty() || args.values.value(QStringLiteral("o")).isEmpty())
        return usageError(QStringLiteral("import-repeaters needs --into BASE.dat and -o OUT.dat"), command);
    RepeaterList::Near near;
    if (args.values.contains(QLatin1String("near"))) {
        near.from = RepeaterList::parseLocation(args.values.value(QStringLiteral("near")));
        if (!near.from)
            return usageError(QStringLiteral("--near takes a Maidenhead locator (4 or 6 characters) or LAT,LON in degrees"),
                              command);
    }
    if (args.values.contains(QLatin1String("within"))) {
        bool ok = false;
        near.radiusKm = args.values.value(QStringLiteral("within")).toDouble(&ok);
        if (!ok || !(near.radiusKm > 0))
            return usageError(QStringLiteral("--within takes a radius in km above 0"), command);
        if (!near.from)
            return usageError(QStringLiteral("--within goes with --near"), command);
    }
    const QString list = args.positional.at(0);
    QByteArray bytes;
    const FileResult read = readWholeFile(list, MaxPlanBytes, bytes);
    if (!read.ok) {
        m_err << "orvane-cli: " << read.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    const QString text = QString::fromUtf8(bytes);
    const QStringList header = RepeaterList::headerOf(text);
    RepeaterList::Mapping mapping = RepeaterList::guess(header);
    for (const QString &map : args.lists.value(QStringLiteral("map"))) {
        const int eq = map.indexOf(QLatin1Char('='));
        const auto field = RepeaterList::fieldOfKey(map.left(eq));
        if (eq < 0 || !field) {
            QStringList keys;
            for (int f = 0; f < RepeaterList::FieldCount; ++f)
                keys << RepeaterList::fieldKey(RepeaterList::Field(f));
            return usageError(QStringLiteral("--map takes FIELD=COLUMN, FIELD one of %1").arg(keys.join(QStringLiteral(", "))),
                              command);
        }
        const QString column = map.mid(eq + 1).trimmed();
        bool number = false;
        int index = column.toInt(&number) - 1;
        if (!number)
            index = int(header.indexOf(column));
        if (column.isEmpty() || column == QLatin1String("-")) {
            index = -1; // no column for it
        } else if (index < 0 || index >= header.size()) {
            return usageError(QStringLiteral("--map %1: the header of %2 has no column %3").arg(map, list, column), command);
        }
        mapping.set(*field, index);
    }
    const QString side = args.values.value(QStringLiteral("side"));
    if (side == QLatin1String("repeater"))
        mapping.side = RepeaterList::Side::Repeater;
    else if (side == QLatin1String("radio"))
        mapping.side = RepeaterList::Side::Radio;
    else if (!side.isEmpty())
        return usageError(QStringLiteral("--side takes repeater or radio"), command);

    const RepeaterList::Parsed parsed = RepeaterList::read(text, mapping);
    if (!parsed.ok) {
        m_err << "orvane-cli: " << list << ": " << parsed.error.text(false) << '\n'
              << "orvane-cli: nothing was imported; " << args.values.value(QStringLiteral("o")) << " was not written\n"
              << Qt::flush;
        return BadFile;
    }
    return mergeRows(args, command, RepeaterList::rows(parsed.entries, mapping.side, near), list);
}
