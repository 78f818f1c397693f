// orvane-cli fleet: one plan, many radios, on one or more ports at once.

#include "cli/commandline.h"

#include "fleet/fleetplan.h"
#include "fleet/fleetstation.h"
#include "link/portchoice.h"
#include "files/numberstream.h"
#include "image/memoryimage.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <memory>
#include <vector>

namespace {

// Far above any fleet; keeps a wrong pick from filling memory.
constexpr qint64 MaxRadiosBytes = 4 * 1024 * 1024;
// How often the loop looks whether Ctrl+C was pressed.
constexpr int InterruptCheckMs = 100;
// The shell's code for a job ended by Ctrl+C.
constexpr int Interrupted = 130;

volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void onInterrupt(int)
{
    interruptRequested = 1;
    // A second Ctrl+C ends the program at once, the radio in progress with it.
    std::signal(SIGINT, SIG_DFL);
}

// Installed for as long as it lives; the previous handler comes back afterwards.
class InterruptHandler
{
public:
    InterruptHandler()
    {
        interruptRequested = 0;
        m_previous = std::signal(SIGINT, onInterrupt);
    }
    ~InterruptHandler() { std::signal(SIGINT, m_previous == SIG_ERR ? SIG_DFL : m_previous); }
    InterruptHandler(const InterruptHandler &) = delete;
    InterruptHandler &operator=(const InterruptHandler &) = delete;

private:
    void (*m_previous)(int) = SIG_DFL;
};

bool appendToLog(const QString &path, const QString &line, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error = file.errorString();
        return false;
    }
    const QByteArray bytes = line.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int CommandLine::fleet(const Arguments &args)
{
    const QString command = QStringLiteral("fleet");
    const QString radiosPath = args.values.value(QStringLiteral("radios"));
    if (radiosPath.isEmpty())
        return usageError(QStringLiteral("fleet needs --radios RADIOS.csv"), command);
    const QStringList portTexts = args.lists.value(QStringLiteral("port"));
    if (portTexts.isEmpty())
        return usageError(QStringLiteral("fleet needs at least one --port P"), command);
    std::vector<PortChoice> ports;
    QStringList seen;
    for (const QString &text : portTexts) {
        PortChoice port;
        if (!PortChoice::parse(text, port))
            return usageError(QStringLiteral("--port takes COM1 to COM12 or a device path"), command);
        const QString name = port.device.isEmpty() ? QStringLiteral("COM%1").arg(port.number) : port.device;
        if (seen.contains(name))
            return usageError(QStringLiteral("--port %1 is given twice").arg(text), command);
        seen << name;
        ports.push_back(port);
    }

    // Everything that can be wrong with the files is found before any radio is asked.
    auto templateImage = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(args.positional.at(0), *templateImage); loaded != Done)
        return loaded;
    QByteArray csv;
    const FileResult read = readWholeFile(radiosPath, MaxRadiosBytes, csv);
    if (!read.ok) {
        m_err << "orvane-cli: " << read.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    FleetPlan plan;
    QStringList errors;
    if (!plan.load(csv, radiosPath, *templateImage, errors)) {
        for (const QString &e : errors)
            m_err << "orvane-cli: " << e << '\n';
        m_err << "orvane-cli: no radio was touched\n" << Qt::flush;
        return BadFile;
    }
    const QString logPath = args.values.value(QStringLiteral("log"));
    if (QString error; !logPath.isEmpty() && !appendToLog(logPath, QString(), error)) {
        m_err << "orvane-cli: the log " << logPath << " cannot be written: " << error << '\n' << Qt::flush;
        return BadFile;
    }

    const bool full = args.flags.contains(QLatin1String("full"));
    const bool quick = args.flags.contains(QLatin1String("quick"));
    if (full && quick)
        return usageError(QStringLiteral("--quick goes with the changed-only write, not with --full"), command);
    QStringList portNames;
    for (const PortChoice &p : ports)
        portNames << p.description();
    m_err << "fleet: " << plan.rowCount() << (plan.rowCount() == 1 ? " radio" : " radios") << " to program ("
          << (full ? "whole write and verify" : quick ? "quick changed-only write with read-back" : "changed-only write with read-back") << "), waiting on "
          << portNames.join(QStringLiteral(", ")) << "; Ctrl+C stops after the radio in progress\n"
          << Qt::flush;

    InterruptHandler interrupt;
    QEventLoop loop;
    std::vector<std::unique_ptr<FleetStation>> stations;
    int failures = 0;
    bool stopping = false;
    auto stopAll = [&] {
        stopping = true;
        for (auto &s : stations)
            s->requestStop();
    };
    for (const PortChoice &p : ports)
        stations.push_back(std::make_unique<FleetStation>(p, plan, full));
    for (auto &station : stations)
        station->setQuick(quick);
    for (auto &station : stations) {
        QObject::connect(station.get(), &FleetStation::radioFinished, &loop, [&](const FleetStation::Report &r) {
            if (r.failed)
                ++failures;
            m_out << r.screenLine() << '\n' << Qt::flush;
            if (QString error; !logPath.isEmpty() && !appendToLog(logPath, r.logLine(), error))
                m_err << "orvane-cli: the log " << logPath << " cannot be written: " << error << '\n' << Qt::flush;
            if (plan.allDone() && !stopping)
                stopAll();
        });
        QObject::connect(station.get(), &FleetStation::stopped, &loop, [&] {
            for (const auto &s : stations) {
                if (!s->isStopped())
                    return;
            }
            loop.quit();
        });
    }
    QTimer interruptCheck;
    QObject::connect(&interruptCheck, &QTimer::timeout, &loop, [&] {
        if (!interruptRequested || stopping)
            return;
        m_err << "fleet: stopping after the radio in progress (Ctrl+C again stops at once)\n" << Qt::flush;
        stopAll();
    });
    interruptCheck.start(InterruptCheckMs);
    for (auto &s : stations)
        s->start();
    bool allStopped = true;
    for (const auto &s : stations)
        allStopped = allStopped && s->isStopped();
    if (!allStopped)
        loop.exec();

    m_err << "fleet: " << plan.doneCount() << " of " << plan.rowCount() << " rows done";
    if (failures > 0)
        m_err << ", " << failures << (failures == 1 ? " radio" : " radios") << " failed";
    m_err << '\n' << Qt::flush;
    if (failures > 0)
        return Differs;
    return plan.allDone() ? Done : Interrupted;
}
