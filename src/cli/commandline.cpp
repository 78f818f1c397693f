#include "cli/commandline.h"

#include "channels/channelcsv.h"
#include "cli/progressbar.h"
#include "cli/radiolink.h"
#include "files/atomicwrite.h"
#include "files/datafile.h"
#include "files/numberstream.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"
#include "link/areatransfer.h"
#include "link/bulkwrite.h"
#include "link/portscan.h"
#include "shell/bulkwritesteps.h"
#include "shell/diffareas.h"
#include "shell/radiostatus.h"
#include "texts/commontexts.h"

#include <CLI/CLI.hpp>
#include <QDir>
#include <algorithm>
#include <memory>

namespace {

// Far above any channel plan; keeps a wrong pick from filling memory.
constexpr qint64 MaxCsvBytes = 4 * 1024 * 1024;

struct Command
{
    const char *name;
    const char *synopsis;
    const char *summary;
    QStringList valueOptions;
    QStringList flagOptions;
    int positionals;
    int (CommandLine::*run)(const CommandLine::Arguments &);
};

const char PortHelp[] =
    "  --port P        COMn, resolved as the program resolves it (a link in the COM link\n"
    "                  folder, else the fixed table), or a device path such as /dev/ttyUSB0.\n"
    "                  Without it, the program's start-up scan: the first of COM1..COM8 that opens.\n"
    "  -q              no progress bar (it is drawn only when standard error is a terminal)\n";

const char ExitHelp[] =
    "Exit codes: 0 done, 1 usage, 2 port or radio failure, 3 verify or diff found\n"
    "differences or the band check refused, 4 bad input file (or an output that cannot be written).\n";

} // namespace

CommandLine::CommandLine(QTextStream &out, QTextStream &err, bool errIsTerminal)
    : m_out(out)
    , m_err(err)
    , m_errIsTerminal(errIsTerminal)
{
    // Every identification sets the band limits the band check reads, exactly as in the
    // windows, and every bulk write runs the windows' own steps first.
    RadioStatus::instance().followLink();
    installBulkWriteSteps();
    // Whatever a command proves a radio holds joins that radio's history.
    RadioHistory::install();
}

namespace {

const QVector<Command> &commands()
{
    static const QVector<Command> list{
        {"info", "info [--port P]", "show the radio's identification: model, number, firmware, band limits",
         {"port"}, {"q"}, 0, &CommandLine::info},
        {"read", "read [--port P] -o FILE.dat", "read the whole radio into a data file (saved atomically)",
         {"port", "o"}, {"q"}, 0, &CommandLine::read},
        {"write", "write FILE.dat [--port P] [--verify | --changed-only [--quick] [--dry-run]]",
         "identify the radio, check every channel against its band limits, write the data file;\n"
         "                  --verify reads the radio back and compares. --changed-only reads the radio,\n"
         "                  prints the differences (first line \"changes: N frames\"), keeps a backup of\n"
         "                  what it held, writes only the differing frames and reads them back;\n"
         "                  --quick compares with the radio's newest snapshot in the history and reads\n"
         "                  only the blocks the changes touch (the whole radio when one differs);\n"
         "                  --dry-run stops after printing and writes nothing (exit 0)",
         {"port"}, {"q", "verify", "changed-only", "dry-run", "quick"}, 1, &CommandLine::write},
        {"verify", "verify FILE.dat [--port P]",
         "read the radio and compare rows 0-783 with what writing FILE.dat sends\n"
         "                  (the 5-tone standards rows as a write rewrites them)",
         {"port"}, {"q"}, 1, &CommandLine::verify},
        {"diff", "diff A B", "what differs between two data files or configuration texts (either side may be\n"
         "                  either): settings by field name, the rest in hex",
         {}, {}, 2, &CommandLine::diff},
        {"export-csv", "export-csv FILE.dat [-o OUT.csv]", "the channels of a data file as CSV (standard output without -o)",
         {"o"}, {}, 1, &CommandLine::exportCsv},
        {"import-csv", "import-csv IN.csv --into FILE.dat -o OUT.dat [--bands A_LO,A_HI,B_LO,B_HI]",
         "replace the channels IN.csv lists in a copy of FILE.dat, checked as the channel grid\n"
         "                  checks them (against the start-up band limits unless --bands is given)",
         {"into", "o", "bands"}, {}, 1, &CommandLine::importCsv},
        {"merge", "merge SOURCE --into BASE.dat -o OUT.dat [--at N] [--mode empty|insert|replace] [--keep-duplicates] [--bands ...]",
         "put the channels of SOURCE (a data file, a channel CSV or a configuration text) into a\n"
         "                  copy of BASE.dat: into empty channels from N (empty, the default), inserted at N\n"
         "                  shifting the rest down (insert), or over the same numbers (replace). Channels equal\n"
         "                  to one of BASE.dat (RX, TX, both tones) are skipped unless --keep-duplicates, and\n"
         "                  those outside the band limits refused; prints what was merged, refused and skipped",
         {"into", "o", "at", "mode", "bands"}, {"keep-duplicates"}, 1, &CommandLine::merge},
        {"import-repeaters",
         "import-repeaters LIST.csv --into BASE.dat -o OUT.dat [--near LOCATOR|LAT,LON] [--within KM]\n"
         "                  [--side repeater|radio] [--at N] [--mode empty|insert|replace] [--map FIELD=COLUMN ...]",
         "put a repeater directory's CSV into a copy of BASE.dat, turned round to what the radio\n"
         "                  holds (RX = the repeater's output); the columns are guessed from the header,\n"
         "                  --map FIELD=COLUMN (a header name or a 1-based number) sets one; FIELD is output,\n"
         "                  input, offset, sign, tone-out, tone-in, tone-mode, dcs, call, location, lat, lon.\n"
         "                  --side radio reads the list as the radio's settings. --near sorts by distance and\n"
         "                  leaves out rows without coordinates, --within those farther than KM",
         {"into", "o", "at", "mode", "bands", "near", "within", "side", "map"}, {"keep-duplicates"}, 1,
         &CommandLine::importRepeaters},
        {"export-config", "export-config FILE.dat [-o PLAN.yaml]",
         "the whole configuration as YAML text: every setting by name, every other byte in hex\n"
         "                  (standard output without -o)",
         {"o"}, {}, 1, &CommandLine::exportConfig},
        {"import-config", "import-config PLAN.yaml [--into BASE.dat] -o OUT.dat [--bands A_LO,A_HI,B_LO,B_HI]",
         "read a configuration over BASE.dat (the start-up defaults without --into), checked as\n"
         "                  the windows check it; keys the file leaves out keep the base's values",
         {"into", "o", "bands"}, {}, 1, &CommandLine::importConfig},
        {"backups", "backups [--radio NUMBER]",
         "the radio history: every snapshot kept (read, before write, written), newest first\n"
         "                  (of one radio with --radio); a restore is offered the read and before-write ones",
         {"radio"}, {}, 0, &CommandLine::backups},
        {"ports", "ports [--probe]",
         "every COM number and serial device: what it is and whether it opens (exit 0 when one\n"
         "                  does, 2 when none does); --probe asks each port that opens who is there\n"
         "                  (exit 0 when a radio answered, 2 when none did)",
         {}, {"probe"}, 0, &CommandLine::ports},
        {"fleet", "fleet TEMPLATE.dat --radios RADIOS.csv --port P [--port P2 ...] [--log LOG.csv] [--full | --quick]",
         "program many radios with one plan: on each port in turn, wait for a radio, apply its\n"
         "                  row of RADIOS.csv (radio number, then configuration keys) to a copy of the\n"
         "                  template, write it changed-only with read-back (--full: the whole write and a\n"
         "                  verify), log it, and wait until it is unplugged; all ports at once. Ends when\n"
         "                  every row is done, or on Ctrl+C after the radio in progress (exit 3 when a\n"
         "                  radio failed, 130 when stopped with rows left); --quick writes each radio as\n"
         "                  write --changed-only --quick does",
         {"radios", "port", "log"}, {"full", "quick"}, 1, &CommandLine::fleet},
        {"recover", "recover --list | recover N -o FILE.dat [--adj FILE.adj]",
         "the journals kept of every run of the program, newest first (--list), or the last\n"
         "                  state of journal N written as a data file (and its alignment block\n"
         "                  as an adjust file with --adj)",
         {"o", "adj"}, {"list"}, -1, &CommandLine::recover},
    };
    return list;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands()) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

QString generalHelp()
{
    QString text = QStringLiteral("usage: orvane-cli COMMAND [options]\n\nCommands:\n");
    for (const Command &c : commands())
        text += QStringLiteral("  %1\n                  %2\n").arg(QLatin1String(c.synopsis), QLatin1String(c.summary));
    text += QStringLiteral("\nOptions:\n") + QLatin1String(PortHelp)
            + QStringLiteral("  -h, --help      this text; COMMAND --help for one command\n\n") + QLatin1String(ExitHelp);
    return text;
}

// A command's --help, from its declaration: the synopsis, the summary (the app's
// description), then what each described option says.
class CommandHelp : public CLI::FormatterBase
{
public:
    explicit CommandHelp(const char *synopsis) : m_synopsis(synopsis) {}

    std::string make_help(const CLI::App *app, std::string, CLI::AppFormatMode) const override
    {
        std::string text = "usage: orvane-cli " + m_synopsis + "\n  " + app->get_description() + "\n";
        for (const CLI::Option *option : app->get_options()) {
            if (!option->get_description().empty())
                text += "\n" + option->get_description();
        }
        return text + "\n" + ExitHelp;
    }

private:
    std::string m_synopsis;
};

const char FilesName[] = "files";
const char HelpName[] = "--help";

// One command's declaration, which parses its words and writes its --help.
class CommandApp : public CLI::App
{
public:
    explicit CommandApp(const Command &c)
        : CLI::App(c.summary, c.name)
    {
        set_help_flag();
        formatter(std::make_shared<CommandHelp>(c.synopsis));
        // Any number of file names and of each option: how many a command takes is its
        // own check, with its own message.
        add_option(FilesName, files);
        add_flag(HelpName);
        for (const QString &name : c.valueOptions) {
            CLI::Option *option = add_option("--" + name.toStdString())
                                      ->allow_extra_args(false)
                                      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
            if (name == QLatin1String("port"))
                option->description(PortHelp);
        }
        for (const QString &name : c.flagOptions)
            add_flag("--" + name.toStdString());
    }

    std::vector<std::string> files;
};

// The program's spelling of options: -name and --name alike, NAME VALUE or NAME=VALUE,
// a value taken as it is even when it begins with a dash, options before or after the file
// names, "--" ending the options. Each word becomes the one spelling the parser reads
// (--name=value); the first word that names no declared option, or lacks its value, is the
// error, as it always was.
bool spell(const CLI::App &app, const QStringList &words, std::vector<std::string> &tokens, QString &error)
{
    for (int i = 0; i < words.size(); ++i) {
        const QString &w = words.at(i);
        if (!w.startsWith(QLatin1Char('-')) || w == QLatin1String("-")) {
            tokens.push_back(w.toStdString());
            continue;
        }
        if (w == QLatin1String("--")) {
            for (; i < words.size(); ++i)
                tokens.push_back(words.at(i).toStdString());
            break;
        }
        if (w == QLatin1String("-h") || w == QLatin1String("--help")) {
            tokens.push_back(HelpName);
            continue;
        }
        QString name = w.mid(w.startsWith(QLatin1String("--")) ? 2 : 1);
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        const std::string option = "--" + name.toStdString();
        const CLI::Option *declared = option == HelpName ? nullptr : app.get_option_no_throw(option);
        const bool flag = declared && declared->get_expected_max() == 0;
        if (!declared || (flag && eq >= 0)) {
            error = QStringLiteral("unknown option %1").arg(w);
            return false;
        }
        if (flag) {
            tokens.push_back(option);
            continue;
        }
        if (eq < 0) {
            if (i + 1 >= words.size()) {
                error = QStringLiteral("%1 needs a value").arg(w);
                return false;
            }
            value = words.at(++i);
        }
        // An empty value after '=' would read as a missing one.
        if (value.isEmpty()) {
            tokens.push_back(option);
            tokens.emplace_back();
        } else {
            tokens.push_back(option + "=" + value.toStdString());
        }
    }
    return true;
}

QStringList results(const CLI::Option *option)
{
    QStringList list;
    for (const std::string &r : option->results())
        list << QString::fromStdString(r);
    return list;
}

bool parseArguments(const Command &c, const QStringList &words, CommandLine::Arguments &args, QString &error)
{
    const auto app = std::make_unique<CommandApp>(c);
    std::vector<std::string> tokens;
    if (!spell(*app, words, tokens, error))
        return false;
    std::reverse(tokens.begin(), tokens.end());
    try {
        app->parse(tokens);
    } catch (const CLI::ParseError &e) {
        error = QString::fromStdString(e.what());
        return false;
    }
    for (const std::string &file : app->files)
        args.positional << QString::fromStdString(file);
    if (app->get_option(HelpName)->count() > 0) {
        args.flags << QStringLiteral("help");
        return true;
    }
    for (const QString &name : c.valueOptions) {
        const QStringList given = results(app->get_option("--" + name.toStdString()));
        if (!given.isEmpty()) {
            args.values.insert(name, given.last());
            args.lists.insert(name, given);
        }
    }
    for (const QString &name : c.flagOptions) {
        if (app->get_option("--" + name.toStdString())->count() > 0)
            args.flags << name;
    }
    // A negative count: the command checks its own.
    if (c.positionals >= 0 && args.positional.size() != c.positionals) {
        error = c.positionals == 0 ? QStringLiteral("%1 takes no file names").arg(QLatin1String(c.name))
                                   : QStringLiteral("%1 takes %2 file name%3")
                                         .arg(QLatin1String(c.name))
                                         .arg(c.positionals)
                                         .arg(c.positionals > 1 ? QStringLiteral("s") : QString());
        return false;
    }
    return true;
}

QString commandHelp(const Command &c)
{
    return QString::fromStdString(CommandApp(c).help());
}

bool parseBands(const QString &text, BandLimits &limits)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toInt(&ok);
        // The radio reports each limit as three decimal digits.
        if (!ok || v[i] < 0 || v[i] > 999)
            return false;
    }
    if (v[0] > v[1] || v[2] > v[3])
        return false;
    limits = BandLimits{v[0], v[1], v[2], v[3]};
    return true;
}

} // namespace

bool CommandLine::parseBandLimits(const QString &text, BandLimits &limits)
{
    return parseBands(text, limits);
}

int CommandLine::run(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString name = arguments.first();
    if (name == QLatin1String("-h") || name == QLatin1String("--help") || name == QLatin1String("help")) {
        if (arguments.size() > 1) {
            if (const Command *c = findCommand(arguments.at(1))) {
                m_out << commandHelp(*c) << Qt::flush;
                return Done;
            }
        }
        m_out << generalHelp() << Qt::flush;
        return Done;
    }
    const Command *command = findCommand(name);
    if (!command)
        return usageError(QStringLiteral("unknown command %1").arg(name));
    Arguments args;
    QString error;
    if (!parseArguments(*command, arguments.mid(1), args, error))
        return usageError(error, name);
    if (args.flags.contains(QLatin1String("help"))) {
        m_out << commandHelp(*command) << Qt::flush;
        return Done;
    }
    // A snapshot the history cannot keep changes nothing a command does or says; it is
    // told once, here.
    const QMetaObject::Connection historyFailure = QObject::connect(
        &RadioHistory::notifier(), &RadioHistory::Notifier::failed,
        [this](const QString &english) { m_err << "orvane-cli: " << english << '\n' << Qt::flush; });
    const int code = (this->*(command->run))(args);
    QObject::disconnect(historyFailure);
    return code;
}

int CommandLine::usageError(const QString &text, const QString &command)
{
    m_err << "orvane-cli: " << text << '\n';
    const Command *c = command.isEmpty() ? nullptr : findCommand(command);
    m_err << (c ? QStringLiteral("usage: orvane-cli %1\n").arg(QLatin1String(c->synopsis))
                : QStringLiteral("usage: orvane-cli COMMAND [options]; orvane-cli --help lists the commands\n"))
          << Qt::flush;
    return Usage;
}

bool CommandLine::choosePort(const Arguments &args, PortChoice &port)
{
    if (!args.values.contains(QLatin1String("port"))) {
        port = PortChoice{};
        port.number = scanStartupPort();
        return true;
    }
    return PortChoice::parse(args.values.value(QStringLiteral("port")), port);
}

int CommandLine::loadDataFile(const QString &path, MemoryImage &image)
{
    const FileResult result = DataFile::load(image, path);
    if (result.ok)
        return Done;
    // Faults inside the file do not name it; with two files on the line that matters.
    const QString message = result.message(false);
    m_err << "orvane-cli: " << (message.contains(QDir::toNativeSeparators(path)) ? message : path + QStringLiteral(": ") + message)
          << '\n' << Qt::flush;
    return BadFile;
}

int CommandLine::saveDataFile(const MemoryImage &image, const QString &path)
{
    const FileResult result = DataFile::save(image, path);
    if (result.ok)
        return Done;
    m_err << "orvane-cli: " << result.message(false) << '\n' << Qt::flush;
    return BadFile;
}

namespace {

// What the windows would say, with the port it happened on.
QString outcomeText(RadioLink::Outcome outcome, const PortChoice &port)
{
    switch (outcome) {
    case RadioLink::Outcome::PortFailed:
        return QStringLiteral("%1: %2").arg(port.description(), CommonText::PortErrorTransfer.text(false));
    case RadioLink::Outcome::NoAnswer:
        return QStringLiteral("%1: %2").arg(port.description(), CommonText::FailConnect.text(false));
    case RadioLink::Outcome::BadReply:
        return QStringLiteral("%1: a read reply could not be decoded; nothing was kept").arg(port.description());
    case RadioLink::Outcome::Done:
        break;
    }
    return QString();
}

} // namespace

int CommandLine::info(const Arguments &args)
{
    PortChoice port;
    if (!choosePort(args, port))
        return usageError(QStringLiteral("--port takes COM1 to COM12 or a device path"), QStringLiteral("info"));
    ProgressBar progress(m_err, false);
    RadioLink link(port, progress);
    RadioIdentity identity;
    const RadioLink::Outcome outcome = link.identify(identity);
    if (outcome != RadioLink::Outcome::Done) {
        m_err << "orvane-cli: " << outcomeText(outcome, port) << '\n' << Qt::flush;
        return RadioFailure;
    }
    m_out << "Port:        " << port.description() << '\n'
          << "Model:       " << identity.modelName << '\n'
          << "Number:      " << identity.numberText() << '\n'
          << "Firmware:    " << identity.firmwareText() << '\n'
          << "Band A:      " << identity.bandAText() << '\n'
          << "Band B:      " << identity.bandBText() << '\n'
          << Qt::flush;
    return Done;
}

int CommandLine::read(const Arguments &args)
{
    const QString output = args.values.value(QStringLiteral("o"));
    if (output.isEmpty())
        return usageError(QStringLiteral("read needs -o FILE.dat"), QStringLiteral("read"));
    PortChoice port;
    if (!choosePort(args, port))
        return usageError(QStringLiteral("--port takes COM1 to COM12 or a device path"), QStringLiteral("read"));
    ProgressBar progress(m_err, m_errIsTerminal && !args.flags.contains(QLatin1String("q")));
    RadioLink link(port, progress);
    // Rows the radio does not send stay as they are after the program's start-up erase.
    auto image = std::make_unique<MemoryImage>();
    const RadioLink::Outcome outcome = link.read(*image);
    if (outcome != RadioLink::Outcome::Done) {
        m_err << "orvane-cli: " << outcomeText(outcome, port) << '\n' << Qt::flush;
        return RadioFailure;
    }
    if (const int saved = saveDataFile(*image, output); saved != Done)
        return saved;
    m_err << "read " << port.description() << " into " << output << '\n' << Qt::flush;
    return Done;
}

int CommandLine::write(const Arguments &args)
{
    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(args.positional.at(0), *image); loaded != Done)
        return loaded;
    const bool changedOnly = args.flags.contains(QLatin1String("changed-only"));
    if (args.flags.contains(QLatin1String("dry-run")) && !changedOnly)
        return usageError(QStringLiteral("--dry-run goes with --changed-only"), QStringLiteral("write"));
    if (args.flags.contains(QLatin1String("quick")) && !changedOnly)
        return usageError(QStringLiteral("--quick goes with --changed-only"), QStringLiteral("write"));
    if (changedOnly && args.flags.contains(QLatin1String("verify")))
        return usageError(QStringLiteral("--changed-only reads back what it writes; --verify goes with a whole write"),
                          QStringLiteral("write"));
    PortChoice port;
    if (!choosePort(args, port))
        return usageError(QStringLiteral("--port takes COM1 to COM12 or a device path"), QStringLiteral("write"));
    if (changedOnly)
        return writeChanged(args, *image, port);
    const bool showProgress = m_errIsTerminal && !args.flags.contains(QLatin1String("q"));
    ProgressBar progress(m_err, showProgress);
    RadioLink link(port, progress);

    // As the main window does at start-up: the radio's own limits are then the ones the
    // band check reads.
    RadioIdentity identity;
    RadioLink::Outcome outcome = link.identify(identity);
    if (outcome != RadioLink::Outcome::Done) {
        m_err << "orvane-cli: " << outcomeText(outcome, port) << '\n' << Qt::flush;
        return RadioFailure;
    }
    const QString refusal = BulkWrite::refusal(*image, false);
    if (!refusal.isEmpty()) {
        m_err << "orvane-cli: " << refusal << '\n'
              << "(band limits of the radio: A " << identity.bandAText() << ", B " << identity.bandBText()
              << "; nothing was sent)\n"
              << Qt::flush;
        return Differs;
    }
    BulkWrite::prepare(*image);
    outcome = link.write(AreaTransfer::bulkWrite().frames(*image));
    if (outcome != RadioLink::Outcome::Done) {
        m_err << "orvane-cli: " << outcomeText(outcome, port) << '\n' << Qt::flush;
        return RadioFailure;
    }
    m_err << "wrote " << args.positional.at(0) << " to " << port.description() << '\n' << Qt::flush;
    if (!args.flags.contains(QLatin1String("verify")))
        return Done;
    return compareWithRadio(*image, port, showProgress, args.positional.at(0));
}

int CommandLine::verify(const Arguments &args)
{
    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(args.positional.at(0), *image); loaded != Done)
        return loaded;
    PortChoice port;
    if (!choosePort(args, port))
        return usageError(QStringLiteral("--port takes COM1 to COM12 or a device path"), QStringLiteral("verify"));
    // What a write of the file would send.
    BulkWrite::prepare(*image);
    return compareWithRadio(*image, port, m_errIsTerminal && !args.flags.contains(QLatin1String("q")),
                            args.positional.at(0));
}

int CommandLine::compareWithRadio(const MemoryImage &expected, const PortChoice &port, bool showProgress,
                                  const QString &what)
{
    ProgressBar progress(m_err, showProgress);
    RadioLink link(port, progress);
    auto radio = std::make_unique<MemoryImage>(expected);
    const RadioLink::Outcome outcome = link.read(*radio);
    if (outcome != RadioLink::Outcome::Done) {
        m_err << "orvane-cli: " << outcomeText(outcome, port) << '\n' << Qt::flush;
        return RadioFailure;
    }
    const QVector<int> rows = ImageDiff::differingRows(expected, *radio, Area::BulkWriteRows);
    if (rows.isEmpty()) {
        m_out << "verify: the radio holds " << what << " (rows 0-783): no differences\n" << Qt::flush;
        return Done;
    }
    m_out << "verify: the radio differs from " << what << " (" << what << " -> radio):\n";
    for (const QString &line : ImageDiff::describe(expected, *radio, diffAreas(), Area::BulkWriteRows))
        m_out << "  " << line << '\n';
    QStringList rowList, channelList;
    for (int row : rows) {
        rowList << QString::number(row);
        for (const Area::Range &area : {Area::Channels, Area::ChannelNames}) {
            const QString channel = QString::number(row - area.firstRow);
            if (area.containsRow(row) && !channelList.contains(channel))
                channelList << channel;
        }
    }
    m_out << "rows that differ: " << rowList.join(QStringLiteral(", ")) << '\n';
    if (!channelList.isEmpty())
        m_out << "channels that differ: " << channelList.join(QStringLiteral(", ")) << '\n';
    m_out << Qt::flush;
    return Differs;
}

int CommandLine::diff(const Arguments &args)
{
    auto a = std::make_unique<MemoryImage>();
    auto b = std::make_unique<MemoryImage>();
    if (const int loaded = loadPlanFile(args.positional.at(0), *a, false); loaded != Done)
        return loaded;
    if (const int loaded = loadPlanFile(args.positional.at(1), *b, false); loaded != Done)
        return loaded;
    const QStringList lines = ImageDiff::describe(*a, *b, diffAreas());
    for (const QString &line : lines)
        m_out << line << '\n';
    // Silence would leave a script or a person wondering whether the command ran at all.
    if (lines.isEmpty())
        m_out << "no differences\n";
    m_out << Qt::flush;
    return lines.isEmpty() ? Done : Differs;
}

int CommandLine::exportCsv(const Arguments &args)
{
    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(args.positional.at(0), *image); loaded != Done)
        return loaded;
    const QByteArray csv = ChannelCsv::write(*image);
    const QString output = args.values.value(QStringLiteral("o"));
    if (output.isEmpty()) {
        m_out << QString::fromUtf8(csv) << Qt::flush;
        return Done;
    }
    const FileResult saved = writeFileReplacing(output, csv);
    if (!saved.ok) {
        m_err << "orvane-cli: " << saved.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    return Done;
}

int CommandLine::importCsv(const Arguments &args)
{
    const QString into = args.values.value(QStringLiteral("into"));
    const QString output = args.values.value(QStringLiteral("o"));
    if (into.isEmpty() || output.isEmpty())
        return usageError(QStringLiteral("import-csv needs --into FILE.dat and -o OUT.dat"), QStringLiteral("import-csv"));
    BandLimits limits = BandLimits::startup();
    if (args.values.contains(QLatin1String("bands")) && !parseBands(args.values.value(QStringLiteral("bands")), limits))
        return usageError(QStringLiteral("--bands takes four whole MHz values A_LO,A_HI,B_LO,B_HI"),
                          QStringLiteral("import-csv"));

    QByteArray csv;
    const FileResult read = readWholeFile(args.positional.at(0), MaxCsvBytes, csv);
    if (!read.ok) {
        m_err << "orvane-cli: " << read.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(into, *image); loaded != Done)
        return loaded;
    const ChannelCsv::ImportResult result = ChannelCsv::importInto(csv, *image, limits);
    if (!result.ok) {
        m_err << "orvane-cli: " << args.positional.at(0) << ": " << result.errorMessage(false) << '\n' << Qt::flush;
        return BadFile;
    }
    if (const int saved = saveDataFile(*image, output); saved != Done)
        return saved;
    m_out << result.doneMessage(false) << '\n' << Qt::flush;
    return Done;
}
