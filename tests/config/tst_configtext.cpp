#include "channels/channelrecord.h"
#include "config/configtext.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "shell/imageinitialisation.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

namespace {

std::unique_ptr<MemoryImage> startup()
{
    auto image = std::make_unique<MemoryImage>();
    initialiseMemoryImage(*image);
    return image;
}

std::unique_ptr<MemoryImage> demo()
{
    auto image = std::make_unique<MemoryImage>();
    if (!DataFile::load(*image, QStringLiteral(ORVANE_DEMO_DAT)).ok)
        qFatal("cannot load the demo data file");
    return image;
}

QVector<int> differingAddresses(const MemoryImage &a, const MemoryImage &b)
{
    QVector<int> out;
    for (int address = 0; address < MemoryImage::Size; ++address) {
        if (a.at(address) != b.at(address))
            out << address;
    }
    return out;
}

} // namespace

class TestConfigText : public QObject
{
    Q_OBJECT

private slots:
    void roundTripGivesEveryByteBack_data();
    void roundTripGivesEveryByteBack();
    void anEditChangesOnlyItsOwnBytes_data();
    void anEditChangesOnlyItsOwnBytes();
    void refusalsNameLineAndKeyAndChangeNothing_data();
    void refusalsNameLineAndKeyAndChangeNothing();
};

void TestConfigText::roundTripGivesEveryByteBack_data()
{
    QTest::addColumn<QString>("start"); // start-up, demo, erased, random
    QTest::addColumn<int>("patches");   // random bytes set over the start
    QTest::newRow("start-up image") << "start-up" << 0;
    QTest::newRow("demo.dat") << "demo" << 0;
    QTest::newRow("erased, all 0xFF") << "erased" << 0;
    for (int seed = 1; seed <= 4; ++seed) {
        QTest::addRow("garbage in 200 bytes of demo.dat, seed %d", seed) << "demo" << 200;
        QTest::addRow("random bytes everywhere, seed %d", seed) << "random" << 0;
    }
}

void TestConfigText::roundTripGivesEveryByteBack()
{
    QFETCH(QString, start);
    QFETCH(int, patches);
    auto image = start == QLatin1String("demo") ? demo() : startup();
    QRandomGenerator random(uint(qHash(QString::fromLatin1(QTest::currentDataTag()))));
    if (start == QLatin1String("erased"))
        image->fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
    if (start == QLatin1String("random")) {
        for (int a = 0; a < MemoryImage::Size; ++a)
            image->setAt(a, uint8_t(random.bounded(256)));
    }
    // The named areas, where a value a name cannot hold must fall back to raw.
    for (int i = 0; i < patches; ++i)
        image->setAt(random.bounded(Area::Fm.lastAddress() + 1), uint8_t(random.bounded(256)));

    const QByteArray text = ConfigText::exportImage(*image);
    auto back = startup();
    const ConfigText::ImportResult result = ConfigText::importInto(text, *back);
    QVERIFY2(result.ok, qPrintable(result.errorMessage()));
    QCOMPARE(differingAddresses(*image, *back), QVector<int>());
    QCOMPARE(ConfigText::exportImage(*back), text);
}

void TestConfigText::anEditChangesOnlyItsOwnBytes_data()
{
    QTest::addColumn<QString>("find");    // in the export of demo.dat; empty: `text` is the whole file
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<int>>("rows"); // the only rows allowed to change

    QTest::newRow("one channel's rx") << "rx: \"146.94000\"" << "rx: \"146.52000\"" << QVector<int>{3};
    QTest::newRow("a channel left out of the list") << "(?s)  - number: 5\n.*?(?=  - number: 6\n)" << ""
                                                    << QVector<int>{5, Area::ChannelNames.firstRow + 5};
    QTest::newRow("a file of one option, the rest left out") << "" << "options:\n  squelch: 9\n"
                                                             << QVector<int>{MemoryImage::rowOf(0x0E02)};
}

void TestConfigText::anEditChangesOnlyItsOwnBytes()
{
    QFETCH(QString, find);
    QFETCH(QString, text);
    QFETCH(QVector<int>, rows);
    const auto base = demo();
    QString yaml = text;
    if (!find.isEmpty()) {
        yaml = QString::fromUtf8(ConfigText::exportImage(*base));
        const QRegularExpression pattern(find);
        QVERIFY(yaml.contains(pattern));
        yaml.replace(pattern, text);
    }
    auto image = std::make_unique<MemoryImage>(*base);
    const ConfigText::ImportResult result = ConfigText::importInto(yaml.toUtf8(), *image);
    QVERIFY2(result.ok, qPrintable(result.errorMessage()));
    const QVector<int> changed = differingAddresses(*base, *image);
    QVERIFY(!changed.isEmpty());
    for (int address : changed)
        QVERIFY2(rows.contains(MemoryImage::rowOf(address)), qPrintable(QString::number(address, 16)));
    if (QByteArray(QTest::currentDataTag()) == "one channel's rx")
        QCOMPARE(ChannelRecord(*image, 3).rxFrequencyText(), QStringLiteral("146.52000"));
    if (QByteArray(QTest::currentDataTag()) == "a channel left out of the list")
        QVERIFY(ChannelRecord(*image, 5).isEmpty());
}

void TestConfigText::refusalsNameLineAndKeyAndChangeNothing_data()
{
    QTest::addColumn<QString>("yaml");
    QTest::addColumn<QString>("bands");
    QTest::addColumn<QStringList>("errors"); // exact; a row ending in "..." is a prefix

    QTest::newRow("frequency outside the band") << "channels:\n  - number: 3\n    rx: 520.5\n" << "136,174,400,480"
                                                << QStringList{"PLAN.yaml:3 channels[0].rx: 520.5 is outside 400-480"};
    QTest::newRow("band record frequency between the bands")
        << "band_b:\n  frequency: \"300\"\n" << ""
        << QStringList{"PLAN.yaml:2 band_b.frequency: 300 is outside 130-179 and 400-520"};
    QTest::newRow("list entry") << "options:\n  power_on_display: LOGO\n" << ""
                                << QStringList{"PLAN.yaml:2 options.power_on_display: LOGO is not one of Full, MSG, BATT"};
    QTest::newRow("tone the table lacks") << "band_a:\n  rx_tone: 67.1\n" << ""
                                          << QStringList{"PLAN.yaml:2 band_a.rx_tone: 67.1 is not one of OFF, 67.0, ... D754I"};
    QTest::newRow("digit rule") << "options:\n  ani: \"12\"\n  ptt_id_end: \"12E\"\n" << ""
                                << QStringList{"PLAN.yaml:2 options.ani: 12 needs 3 to 5 digits",
                                               "PLAN.yaml:3 options.ptt_id_end: 12E may hold only 0-9, A-D, * and #"};
    QTest::newRow("unknown key, nested and top level")
        << "dtmf:\n  encode:\n    16: \"123\"\ncolour: red\n" << ""
        << QStringList{"PLAN.yaml:3 dtmf.encode.16: is not a key this program knows",
                       "PLAN.yaml:4 colour: is not a key this program knows"};
    QTest::newRow("bad YAML line") << "options:\n  squelch: 5\n  tdr: [ON\n" << "" << QStringList{"PLAN.yaml:4 is not YAML: ..."};
    QTest::newRow("raw row") << "raw:\n  \"0C80\": \"FF FF\"\n" << ""
                             << QStringList{"PLAN.yaml:2 raw.0C80: needs 16 bytes, each two hex digits or --"};
    // The good edit before the faults is not kept either.
    QTest::newRow("all or nothing") << "options:\n  squelch: 9\n  tdr: MAYBE\nfm:\n  - number: 17\n" << ""
                                    << QStringList{"PLAN.yaml:3 options.tdr: MAYBE is not one of OFF, ON",
                                                   "PLAN.yaml:5 fm[0].number: 17 is not a number from 1 to 16"};
}

void TestConfigText::refusalsNameLineAndKeyAndChangeNothing()
{
    QFETCH(QString, yaml);
    QFETCH(QString, bands);
    QFETCH(QStringList, errors);
    BandLimits limits = BandLimits::startup();
    if (!bands.isEmpty()) {
        const QStringList v = bands.split(QLatin1Char(','));
        limits = BandLimits{v.at(0).toInt(), v.at(1).toInt(), v.at(2).toInt(), v.at(3).toInt()};
    }
    const auto base = demo();
    auto image = std::make_unique<MemoryImage>(*base);
    const ConfigText::ImportResult result = ConfigText::importInto(yaml.toUtf8(), *image, limits, QStringLiteral("PLAN.yaml"));
    QVERIFY(!result.ok);
    QVERIFY(*image == *base);
    QCOMPARE(result.errors.size(), errors.size());
    for (int i = 0; i < errors.size(); ++i) {
        if (errors.at(i).endsWith(QLatin1String("...")))
            QVERIFY2(result.errors.at(i).startsWith(errors.at(i).chopped(3)) && result.errors.at(i).size() > errors.at(i).size(),
                     qPrintable(result.errors.at(i)));
        else
            QCOMPARE(result.errors.at(i), errors.at(i));
    }
}

QTEST_APPLESS_MAIN(TestConfigText)
#include "tst_configtext.moc"
