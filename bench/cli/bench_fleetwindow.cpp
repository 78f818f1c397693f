// The fleet window's job against orvane-cli fleet, in one run: the fleet of bench_fleet
// (three rows over three virtual radios on two ports, the third radio taking the first
// port as soon as the first is done and unplugged), at 9600-baud timing and with the
// program's own waits, once from the command line and once from the window. Reports both
// times and their ratio, and whether every radio ended equal to its plan both times.

#include "cli/commandline.h"
#include "files/datafile.h"
#include "fleet/fleetplan.h"
#include "image/areamap.h"
#include "image/document.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "shell/bulkwritesteps.h"
#include "shell/fleetwindow.h"
#include "fleetbench.h"
#include "virtualradio.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using FleetBench::holds;
using FleetBench::radioOn;
using FleetBench::sentRows;

struct Bench
{
    std::unique_ptr<vradio::VirtualRadio> first, second, third;
};

// Runs `job` against fresh radios; the first radio is unplugged and the third plugged into
// its port once `firstDone` says so, looked at every 50 ms as a person would.
double timed(const QString &links, const QByteArray &before, Bench &b, const std::function<bool()> &firstDone,
             const std::function<void()> &job)
{
    b.first = radioOn(1, '1', links, before);
    b.second = radioOn(2, '2', links, before);
    b.third.reset();
    QTimer swap;
    QObject::connect(&swap, &QTimer::timeout, [&] {
        if (!b.third && firstDone()) {
            b.first->hangUp();
            b.third = radioOn(1, '3', links, before);
        }
    });
    swap.start(50);
    QElapsedTimer clock;
    clock.start();
    job();
    return clock.nsecsElapsed() / 1e9;
}

bool allEqual(const Bench &b, const FleetPlan &rows)
{
    return b.third && holds(*b.first, sentRows(rows.row(0).image)) && holds(*b.second, sentRows(rows.row(1).image))
           && holds(*b.third, sentRows(rows.row(2).image));
}

void stopAll(Bench &b)
{
    for (auto *r : {b.first.get(), b.second.get(), b.third.get()}) {
        if (r)
            r->stop();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    PortNames::setLinkFolder(dir.filePath(QStringLiteral("links")));
    installBulkWriteSteps();
    MessageBox::startRecording();

    auto plan = std::make_unique<MemoryImage>();
    if (!DataFile::load(*plan, QStringLiteral(ORVANE_DEMO_DAT)).ok || !DataFile::save(*plan, dir.filePath("plan.dat")).ok) {
        std::fprintf(stderr, "cannot load %s\n", ORVANE_DEMO_DAT);
        return 1;
    }
    Document::instance().initialise([&plan](Document::Contents &contents) {
        contents.image = *plan;
        return true;
    });
    const QByteArray radios = "radio,options.ani,options.power_on_message_1,channels.12.name\n"
                              "ORV100--000000--0001,101,FIRST,ONE\n"
                              ",102,SECOND,\n"
                              ",103,THIRD,THREE\n";
    QFile csv(dir.filePath("radios.csv"));
    csv.open(QIODevice::WriteOnly);
    csv.write(radios);
    csv.close();
    FleetPlan rows;
    QStringList errors;
    if (!rows.load(radios, QStringLiteral("radios.csv"), *plan, errors)) {
        std::fprintf(stderr, "%s\n", qPrintable(errors.join('\n')));
        return 1;
    }
    const QByteArray before = sentRows(*plan);
    const QString links = PortNames::linkFolder();
    Bench b;

    // The command line.
    int cliCode = -1;
    const double cliSeconds = timed(
        links, before, b,
        [&] {
            QFile log(dir.filePath("fleet.log"));
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("ORV100--000000--0001");
        },
        [&] {
            QBuffer outBuffer, errBuffer;
            outBuffer.open(QIODevice::WriteOnly);
            errBuffer.open(QIODevice::WriteOnly);
            QTextStream out(&outBuffer), err(&errBuffer);
            cliCode = CommandLine(out, err, false)
                          .run({"fleet", dir.filePath("plan.dat"), "--radios", dir.filePath("radios.csv"), "--port", "COM1",
                                "--port", "COM2", "--log", dir.filePath("fleet.log")});
        });
    std::fprintf(stderr, "command line: exit code %d\n", cliCode);
    const bool cliOk = cliCode == 0 && allEqual(b, rows);
    stopAll(b);

    // The window.
    FleetWindow window;
    window.resize(1200, 700);
    window.show();
    window.setPorts({QStringLiteral("COM1"), QStringLiteral("COM2")});
    window.setPortChecked(QStringLiteral("COM1"), true);
    window.setPortChecked(QStringLiteral("COM2"), true);
    bool started = window.loadRadios(dir.filePath("radios.csv"));
    QObject::connect(&window, &FleetWindow::radioDone, [](const FleetReport &r) {
        std::fprintf(stderr, "window: %s\n", qPrintable(r.screenLine()));
    });
    const double windowSeconds = timed(
        links, before, b,
        [&] {
            for (const FleetReport &r : window.reports()) {
                if (r.identity.number.contains(QLatin1String("0001")))
                    return true;
            }
            return false;
        },
        [&] {
            QEventLoop loop;
            QObject::connect(&window, &FleetWindow::jobEnded, &loop, &QEventLoop::quit);
            started = started && window.start();
            if (started)
                loop.exec();
        });
    int windowFailures = 0;
    for (const FleetReport &r : window.reports())
        windowFailures += r.failed ? 1 : 0;
    const bool windowOk = started && windowFailures == 0 && window.plan().allDone() && allEqual(b, rows);
    stopAll(b);

    std::printf("orvane-cli fleet, three radios on two ports: %6.1f s  (%s)\n", cliSeconds,
                cliOk ? "every radio equals its plan" : "FAILED");
    std::printf("the fleet window, the same job:             %6.1f s  (%s)\n", windowSeconds,
                windowOk ? "every radio equals its plan" : "FAILED");
    std::printf("window / command line: %.3f\n", windowSeconds / cliSeconds);
    return cliOk && windowOk ? 0 : 1;
}
