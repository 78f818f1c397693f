// orvane-cli fleet against three writes one after another, at 9600-baud timing against
// the virtual radio and with the program's own waits, in one run. The fleet is the one of
// the command-line test: three rows over two radios on two ports, the third radio taking
// the first port as soon as the first is unplugged. The other way is what a dealer does
// without it: `orvane-cli write ROW.dat --changed-only` three times on one port.
// Reports both times, their ratio, and whether every radio ended equal to its plan.

#include "cli/commandline.h"
#include "fleet/fleetplan.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "platform/portnames.h"
#include "shell/bulkwritesteps.h"
#include "fleetbench.h"
#include "virtualradio.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

using FleetBench::holds;
using FleetBench::radioOn;
using FleetBench::sentRows;

int runCli(const QStringList &args, QString *output = nullptr)
{
    QBuffer outBuffer, errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    QTextStream out(&outBuffer), err(&errBuffer);
    const int code = CommandLine(out, err, false).run(args);
    out.flush();
    err.flush();
    if (output)
        *output = QString::fromUtf8(outBuffer.data() + errBuffer.data());
    return code;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    PortNames::setLinkFolder(dir.filePath(QStringLiteral("links")));
    installBulkWriteSteps();

    auto plan = std::make_unique<MemoryImage>();
    if (!DataFile::load(*plan, QStringLiteral(ORVANE_DEMO_DAT)).ok || !DataFile::save(*plan, dir.filePath("plan.dat")).ok) {
        std::fprintf(stderr, "cannot load %s\n", ORVANE_DEMO_DAT);
        return 1;
    }
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

    // The fleet.
    auto first = radioOn(1, '1', links, before);
    auto second = radioOn(2, '2', links, before);
    std::unique_ptr<vradio::VirtualRadio> third;
    QTimer swap;
    QObject::connect(&swap, &QTimer::timeout, [&] {
        QFile log(dir.filePath("fleet.log"));
        if (!third && log.open(QIODevice::ReadOnly) && log.readAll().contains("ORV100--000000--0001")) {
            first->hangUp();
            third = radioOn(1, '3', links, before);
        }
    });
    swap.start(50);
    QElapsedTimer clock;
    clock.start();
    QString fleetOutput;
    const int fleetCode = runCli({"fleet", dir.filePath("plan.dat"), "--radios", dir.filePath("radios.csv"), "--port", "COM1",
                                  "--port", "COM2", "--log", dir.filePath("fleet.log")},
                                 &fleetOutput);
    const double fleetSeconds = clock.nsecsElapsed() / 1e9;
    swap.stop();
    const bool fleetOk = fleetCode == 0 && third && holds(*first, sentRows(rows.row(0).image))
                         && holds(*second, sentRows(rows.row(1).image)) && holds(*third, sentRows(rows.row(2).image));
    second->stop();
    if (third)
        third->stop();

    // Three writes one after another.
    bool sequentialOk = true;
    clock.start();
    for (int i = 0; i < 3; ++i) {
        const QString file = dir.filePath(QStringLiteral("row%1.dat").arg(i));
        DataFile::save(rows.row(i).image, file);
        auto radio = radioOn(1, char('1' + i), links, before);
        const int code = runCli({"write", file, "--changed-only", "--port", "COM1", "-q"});
        sequentialOk = sequentialOk && code == 0 && holds(*radio, sentRows(rows.row(i).image));
        radio->stop();
    }
    const double sequentialSeconds = clock.nsecsElapsed() / 1e9;

    std::printf("%s", qPrintable(fleetOutput));
    std::printf("fleet of three radios on two ports: %6.1f s  (%s)\n", fleetSeconds, fleetOk ? "every radio equals its plan" : "FAILED");
    std::printf("three changed-only writes in turn:  %6.1f s  (%s)\n", sequentialSeconds,
                sequentialOk ? "every radio equals its plan" : "FAILED");
    std::printf("fleet / in turn: %.2f\n", fleetSeconds / sequentialSeconds);
    return fleetOk && sequentialOk ? 0 : 1;
}
