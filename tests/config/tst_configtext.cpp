#include "channels/channelrecord.h"
#include "config/configtext.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"
#include "shell/diffareas.h"
#include "shell/imageinitialisation.h"
#include "signalling/dtmfarea.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
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
    void survivesAYaml11ReaderAndWriter_data();
    void survivesAYaml11ReaderAndWriter();
    void anEditChangesOnlyItsOwnBytes_data();
    void anEditChangesOnlyItsOwnBytes();
    void refusalsNameLineAndKeyAndChangeNothing_data();
    void refusalsNameLineAndKeyAndChangeNothing();
    void comparisonNamesFieldsInEitherLanguage_data();
    void comparisonNamesFieldsInEitherLanguage();
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

// The image a row of roundTripGivesEveryByteBack_data() names; random bytes follow the row's tag.
std::unique_ptr<MemoryImage> imageOfRow(const QString &start, int patches, const QString &seed)
{
    auto image = start == QLatin1String("demo") ? demo() : startup();
    QRandomGenerator random(uint(qHash(seed)));
    if (start == QLatin1String("erased"))
        image->fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
    if (start == QLatin1String("random")) {
        for (int a = 0; a < MemoryImage::Size; ++a)
            image->setAt(a, uint8_t(random.bounded(256)));
    }
    // The named areas, where a value a name cannot hold must fall back to raw.
    for (int i = 0; i < patches; ++i)
        image->setAt(random.bounded(Area::Fm.lastAddress() + 1), uint8_t(random.bounded(256)));
    return image;
}

void TestConfigText::roundTripGivesEveryByteBack()
{
    QFETCH(QString, start);
    QFETCH(int, patches);
    const auto image = imageOfRow(start, patches, QString::fromLatin1(QTest::currentDataTag()));
    const QByteArray text = ConfigText::exportImage(*image);
    auto back = startup();
    const ConfigText::ImportResult result = ConfigText::importInto(text, *back);
    QVERIFY2(result.ok, qPrintable(result.errorMessage()));
    QCOMPARE(differingAddresses(*image, *back), QVector<int>());
    QCOMPARE(ConfigText::exportImage(*back), text);
}

void TestConfigText::survivesAYaml11ReaderAndWriter_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("patches");
    // An export as earlier versions wrote it: OFF and ON unquoted.
    QTest::addColumn<bool>("earlier");
    for (const bool earlier : {false, true}) {
        const char *form = earlier ? "earlier export" : "export";
        QTest::addRow("%s of the start-up image", form) << "start-up" << 0 << earlier;
        QTest::addRow("%s of demo.dat", form) << "demo" << 0 << earlier;
        QTest::addRow("%s of the erased image", form) << "erased" << 0 << earlier;
        QTest::addRow("%s of demo.dat, garbage in 200 bytes, seed 1", form) << "demo" << 200 << earlier;
        QTest::addRow("%s of random bytes, seed 2", form) << "random" << 0 << earlier;
    }
}

void TestConfigText::survivesAYaml11ReaderAndWriter()
{
    QFETCH(QString, start);
    QFETCH(int, patches);
    QFETCH(bool, earlier);
    const auto image = imageOfRow(start, patches, QString::fromLatin1(QTest::currentDataTag()).remove(QStringLiteral("earlier ")));
    QByteArray text = ConfigText::exportImage(*image);
    if (earlier) {
        text.replace("\"OFF\"", "OFF");
        text.replace("\"ON\"", "ON");
        // Files written before still import as they are.
        auto back = startup();
        const ConfigText::ImportResult direct = ConfigText::importInto(text, *back);
        QVERIFY2(direct.ok, qPrintable(direct.errorMessage()));
        QCOMPARE(differingAddresses(*image, *back), QVector<int>());
    }

    QTemporaryDir folder;
    const QString in = folder.filePath(QStringLiteral("plan.yaml"));
    const QString out = folder.filePath(QStringLiteral("rewritten.yaml"));
    QFile file(in);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QProcess python;
    python.setProcessChannelMode(QProcess::MergedChannels);
    // Debian's interpreter with Debian's python3-yaml (scripts/setup.sh installs it).
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ORVANE_YAML11_REWRITE), in, out});
    QVERIFY2(python.waitForStarted(), "/usr/bin/python3 did not start; scripts/setup.sh installs python3-yaml");
    QVERIFY(python.waitForFinished(60000));
    QVERIFY2(python.exitCode() == 0, python.readAll().constData());
    QFile rewritten(out);
    QVERIFY(rewritten.open(QIODevice::ReadOnly));
    const QByteArray after = rewritten.readAll();
    // A reader that takes ON for a boolean turns it into true on the way out.
    if (earlier && text.contains(": OFF"))
        QVERIFY(after.contains(": false"));

    auto back = startup();
    const ConfigText::ImportResult result = ConfigText::importInto(after, *back);
    if (earlier) {
        // The keys whose values are exactly OFF and ON take the booleans back; a key with
        // more values (ptt_id: OFF, BOT, EOT, BOTH) refuses one as any value not in its list.
        for (const QString &error : result.errors) {
            QVERIFY2(error.contains(QLatin1String(": false is not")) || error.contains(QLatin1String(": true is not")),
                     qPrintable(error));
            QVERIFY2(!error.endsWith(QLatin1String("is not one of OFF, ON")), qPrintable(error));
        }
        if (!result.ok) {
            QVERIFY(*back == *startup());
            return;
        }
    }
    QVERIFY2(result.ok, qPrintable(result.errorMessage()));
    QCOMPARE(differingAddresses(*image, *back), QVector<int>());
    if (!earlier)
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
    // What a YAML 1.1 tool writes for an unquoted OFF.
    QTest::newRow("false for a key of OFF, ON") << "tdr: \"ON\"" << "tdr: false" << QVector<int>{MemoryImage::rowOf(0x0E02)};
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
    if (QByteArray(QTest::currentDataTag()) == "false for a key of OFF, ON")
        QVERIFY(ConfigText::exportImage(*image).contains("tdr: \"OFF\""));
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
    // What a YAML 1.1 tool leaves of OFF and ON is taken only where those are the values.
    QTest::newRow("boolean where the list is not OFF, ON") << "options:\n  power_on_display: true\n" << ""
        << QStringList{"PLAN.yaml:2 options.power_on_display: true is not one of Full, MSG, BATT"};
    QTest::newRow("quoted true, yes") << "options:\n  tdr: \"true\"\n  beep: yes\n" << ""
        << QStringList{"PLAN.yaml:2 options.tdr: true is not one of OFF, ON", "PLAN.yaml:3 options.beep: yes is not one of OFF, ON"};
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

void TestConfigText::comparisonNamesFieldsInEitherLanguage_data()
{
    QTest::addColumn<QString>("yaml");   // imported over demo.dat
    QTest::addColumn<int>("address");    // then this byte is set, unless -1
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QStringList>("lines");

    const QString dtmf = QStringLiteral("dtmf:\n  encode:\n    3: \"123\"\n  master_id: \"456\"\n  rx_disable: ON\n");
    QTest::newRow("DTMF digit strings and a flag") << dtmf << -1 << 0 << false
                                                   << QStringList{"dtmf encode 3 (none) -> 123", "dtmf master_id 60606 -> 456",
                                                                  "dtmf rx_disable OFF -> ON"};
    QTest::newRow("DTMF in Chinese") << dtmf << -1 << 0 << true
                                     << QStringList{"DTMF 发送编码 3 （无） -> 123", "DTMF 主控ID码 60606 -> 456",
                                                    "DTMF 接收禁止 OFF -> ON"};
    // The state byte's other bits are the radio's: no field shows them.
    QTest::newRow("a DTMF bit no field names, in hex")
        << QString() << Area::Dtmf.firstAddress() + DtmfArea::Offset::state << 0x80 << false
        << QStringList{"row 687 (0x2AF0, DTMF): [3] 00 -> 80"};
    // Past a code's last digit the bytes show nothing: a change there stays in hex.
    QTest::newRow("a DTMF byte past the digits") << QString() << Area::Dtmf.firstAddress() + 10 << 0x20 << false
                                                 << QStringList{"row 656 (0x2900, DTMF): [10] FF -> 20"};
    const QString twoTone = QStringLiteral("two_tone:\n  encode:\n    2: {first: 1000, second: 1446}\n  decode:\n    1:\n"
                                           "      group_2: {pair: B-C, response: 1.Alert, alert: 2}\n      tone_a: 700\n");
    QTest::newRow("2-tone") << twoTone << -1 << 0 << false
                            << QStringList{"2-tone encode 2 first 1358 -> 1000", "2-tone decode 1 group_2 response 2.Transpond -> 1.Alert",
                                           "2-tone decode 1 tone_a 1981 -> 700"};
    QTest::newRow("2-tone in Chinese") << twoTone << -1 << 0 << true
                                       << QStringList{"两音 编码 2 第 1 个频率(HZ) 1358 -> 1000",
                                                      "两音 解码 1 解码2 响应方式 2.Transpond -> 1.Alert",
                                                      "两音 解码 1 A 音（HZ） 1981 -> 700"};
    const QString fiveTone = QStringLiteral("five_tone:\n  standards:\n    EEA: {period: 50, group_tone: A, repeat_tone: E}\n"
                                            "  encode:\n    1: {frame_1: \"11111\", frame_2: \"34567\", frame_3: \"56789\", "
                                            "standard: EIA}\n  call_frames: [1, 3]\n");
    QTest::newRow("5-tone") << fiveTone << -1 << 0 << false
                            << QStringList{"5-tone standards EEA period 40 -> 50", "5-tone encode 1 frame_1 12345 -> 11111",
                                           "5-tone encode 1 standard CCIR1 -> EIA", "5-tone call_frames 1 -> 1, 3"};
    QTest::newRow("5-tone in Chinese") << fiveTone << -1 << 0 << true
                                       << QStringList{"五音 标准 EEA 发送时长(ms) 40 -> 50", "五音 编解码 1 第 1 帧编码 12345 -> 11111",
                                                      "五音 编解码 1 使用标准 CCIR1 -> EIA", "五音 5 TONE 解码呼叫帧 1 -> 1, 3"};
    // Option, band and channel fields by their windows' captions in Chinese only.
    const QString others = QStringLiteral("options:\n  squelch: 2\nband_b:\n  power: LOW\n");
    QTest::newRow("option and band record") << others << -1 << 0 << false
                                            << QStringList{"options squelch 5 -> 2", "band B power HIGH -> LOW"};
    QTest::newRow("option and band record in Chinese") << others << -1 << 0 << true
                                                       << QStringList{"可选功能 静噪电平 5 -> 2", "B 段 发射功率 高功率 -> 低功率"};
    QTest::newRow("channel in Chinese") << QString() << 3 * 16 + 15 << 0x0C << true
                                        << QStringList{"信道 3 繁忙锁定 OFF -> ON"};
}

void TestConfigText::comparisonNamesFieldsInEitherLanguage()
{
    QFETCH(QString, yaml);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(bool, chinese);
    QFETCH(QStringList, lines);
    const auto before = demo();
    auto after = std::make_unique<MemoryImage>(*before);
    if (!yaml.isEmpty()) {
        const ConfigText::ImportResult result = ConfigText::importInto(yaml.toUtf8(), *after);
        QVERIFY2(result.ok, qPrintable(result.errorMessage()));
    }
    if (address >= 0)
        after->setAt(address, uint8_t(value));
    QCOMPARE(ImageDiff::describe(*before, *after, diffAreas(), Area::BulkWriteRows, chinese), lines);
}
