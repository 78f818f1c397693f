// The demo memory and scripts/demo.sh, which ./run.sh --demo runs.

#include "demoimage.h"

#include "alignment/alignmenttable.h"
#include "channels/channelrecord.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/memoryimage.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString DemoFile = QStringLiteral(ORVANE_SOURCE_DIR "/data/demo.dat");
}

class TestDemo : public QObject
{
    Q_OBJECT
private slots:
    void demoFileIsThePlanAsTheProgramWritesIt();
    void scriptStartsTheRadioAndCleansUp_data();
    void scriptStartsTheRadioAndCleansUp();
};

void TestDemo::demoFileIsThePlanAsTheProgramWritesIt()
{
    auto loaded = std::make_unique<MemoryImage>();
    const FileResult result = DataFile::load(*loaded, DemoFile);
    QVERIFY2(result.ok, qPrintable(result.message(false)));
    // The committed file is what the generator writes now: regenerate it after a change.
    auto built = std::make_unique<MemoryImage>();
    buildDemoImage(*built);
    QFile file(DemoFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll() == DataFile::format(*built), "data/demo.dat is stale: run orvane-demo-data data/demo.dat");

    // A plan the demo radio (136-174, 400-480 MHz) takes, with every kind of channel.
    QCOMPARE(channelBandCheck(*loaded, BandLimits{136, 174, 400, 480}), int(ChannelRecord::NoFailingChannel));
    int simplexA = 0, simplexB = 0, repeaterWithTone = 0, dcs = 0, narrow = 0, named = 0;
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        const ChannelRecord rec(*loaded, ch);
        if (rec.isEmpty())
            continue;
        const bool simplex = rec.rxFrequencyText() == rec.txFrequencyText();
        (rec.rxFrequencyText().toDouble() < 400 ? simplexA : simplexB) += simplex ? 1 : 0;
        repeaterWithTone += !simplex && rec.hasTxFrequency() && rec.txToneText() != QStringLiteral("OFF");
        dcs += rec.rxToneText().startsWith(QLatin1Char('D'));
        narrow += rec.bandwidthText() == QStringLiteral("N");
        named += !rec.nameText().isEmpty();
    }
    QVERIFY(simplexA > 0 && simplexB > 0 && repeaterWithTone > 0 && dcs > 0 && narrow > 0 && named > 0);
    int presets = 0;
    for (int row = Area::Fm.firstRow; row <= Area::Fm.lastRow; ++row)
        presets += loaded->row(row).left(3) != QByteArray(3, '\0');
    QVERIFY(presets > 0);
    // The alignment block the radio serves is a set of plausible values, not erased memory.
    Alignment::Table::prepareDefaults();
    QCOMPARE(loaded->rows(Area::AlignmentAddress / MemoryImage::Columns, Area::AlignmentBytes / MemoryImage::Columns),
             Alignment::Table::defaults());
}

void TestDemo::scriptStartsTheRadioAndCleansUp_data()
{
    QTest::addColumn<QStringList>("userLinks"); // com<n> -> target, made before the demo starts
    QTest::addColumn<QString>("com");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("exitCode");

    // The program's place is taken by the command line, which reads the demo radio.
    QTest::newRow("COM1 free") << QStringList{} << "COM1"
                               << QStringList{"read", "--port", "COM1", "-o", "{dir}/read.dat"} << 0;
    QTest::newRow("COM1 and COM2 taken") << QStringList{"com1=/nonexistent/device", "com2=/dev/null"} << "COM3"
                                         << QStringList{"info", "--port", "COM3"} << 0;
    QTest::newRow("the program fails") << QStringList{"com1=/dev/null"} << "COM2"
                                       << QStringList{"info", "--port", "/dev/orvane-no-such-device"} << 2;
}

void TestDemo::scriptStartsTheRadioAndCleansUp()
{
    QFETCH(QStringList, userLinks);
    QFETCH(QString, com);
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);

    // Never the user's own link folder.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString links = home.filePath(QStringLiteral("data/orvane-cps/dosdevices"));
    QVERIFY(QDir().mkpath(links));
    QMap<QString, QString> made;
    for (const QString &l : userLinks) {
        const QString name = l.section(QLatin1Char('='), 0, 0), target = l.section(QLatin1Char('='), 1);
        QVERIFY(QFile::link(target, links + QLatin1Char('/') + name));
        made.insert(name, target);
    }

    QProcess demo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    demo.setProcessEnvironment(env);
    QStringList args{QStringLiteral(ORVANE_SOURCE_DIR "/scripts/demo.sh"), QStringLiteral(ORVANE_BUILD_DIR),
                     QStringLiteral(ORVANE_CLI_PATH)};
    for (const QString &a : command)
        args << QString(a).replace(QStringLiteral("{dir}"), home.path());
    demo.start(QStringLiteral("bash"), args);
    QVERIFY(demo.waitForFinished(60000));
    const QString out = QString::fromUtf8(demo.readAllStandardOutput());
    QVERIFY2(demo.exitCode() == exitCode, qPrintable(out + demo.readAllStandardError()));
    QVERIFY2(out.contains(QStringLiteral("demo: the virtual radio with data/demo.dat is on %1 -> ").arg(com)), qPrintable(out));
    QCOMPARE(out.contains(QStringLiteral("the demo radio uses %1").arg(com)), com != QLatin1String("COM1"));

    // Only the user's links are left, each as it was.
    QStringList left = QDir(links).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    left.sort();
    QCOMPARE(left, QStringList(made.keys()));
    for (auto it = made.cbegin(); it != made.cend(); ++it)
        QCOMPARE(QFileInfo(links + QLatin1Char('/') + it.key()).symLinkTarget(), it.value());

    if (command.first() == QLatin1String("read")) {
        auto read = std::make_unique<MemoryImage>();
        auto demoImage = std::make_unique<MemoryImage>();
        QVERIFY(DataFile::load(*read, home.filePath(QStringLiteral("read.dat"))).ok);
        QVERIFY(DataFile::load(*demoImage, DemoFile).ok);
        QCOMPARE(read->rows(0, Area::BulkReadRows.rowCount()), demoImage->rows(0, Area::BulkReadRows.rowCount()));
    }
}

QTEST_APPLESS_MAIN(TestDemo)
#include "tst_demo.moc"
