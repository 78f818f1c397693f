#include "channels/channelmerge.h"
#include "channels/channelrecord.h"
#include "channels/repeaterlist.h"
#include "image/memoryimage.h"

#include <QtTest>

using ChannelMerge::Placement;
using RepeaterList::Field;
using RepeaterList::Side;

namespace {

// Channels `used` filled with 145.000 + n × 12.5 kHz, the rest empty.
MemoryImage planWith(const QVector<int> &used)
{
    MemoryImage image;
    for (int ch : used) {
        createChannel(image, ch);
        ChannelRecord(image, ch).setRxFrequencyHz(145000000 + ch * 12500);
        ChannelRecord(image, ch).setTxFrequencyHz(145000000 + ch * 12500);
    }
    return image;
}

ChannelMerge::Row rowAt(qint64 rxHz, int source = -1)
{
    MemoryImage image;
    createChannel(image, 0);
    ChannelRecord(image, 0).setRxFrequencyHz(rxHz);
    ChannelRecord(image, 0).setTxFrequencyHz(rxHz);
    ChannelRecord(image, 0).setName(QStringLiteral("R%1").arg(rxHz / 1000 % 1000));
    ChannelMerge::Row r = ChannelMerge::rowsOf(image).first();
    r.source = source;
    return r;
}

RepeaterList::Parsed readList(const QString &text, Side *side = nullptr)
{
    const RepeaterList::Mapping m = RepeaterList::guess(RepeaterList::headerOf(text));
    if (side)
        *side = m.side;
    return RepeaterList::read(text, m);
}

} // namespace

class TestChannelMerge : public QObject
{
    Q_OBJECT
private slots:
    void toneSides_data();
    void toneSides();
    void locatorParsing_data();
    void locatorParsing();
    void headerGuessing_data();
    void headerGuessing();
    void placementRules_data();
    void placementRules();
    void duplicatesAndBandRefusals();
    void nearSortsAndUnchecks();
    void namesAreCutToTheAllowedSet();
    void badListsNameLineAndColumn_data();
    void badListsNameLineAndColumn();
};

void TestChannelMerge::toneSides_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("toneTx"); // as the list writes them
    QTest::addColumn<QString>("toneRx");
    QTest::addColumn<QString>("rx");
    QTest::addColumn<QString>("tx");
    QTest::addColumn<QString>("rxTone"); // as the radio holds them
    QTest::addColumn<QString>("txTone");
    const QString out = QStringLiteral("145.60000"), in = QStringLiteral("145.00000");
    // The list is a repeater's: frequency_tx 145.6 is what it sends, so what the radio hears.
    QTest::newRow("repeater, CTCSS out only") << "repeater" << "88.5" << "" << out << in << "88.5" << "OFF";
    QTest::newRow("repeater, CTCSS in only") << "repeater" << "" << "88.5" << out << in << "OFF" << "88.5";
    QTest::newRow("repeater, both") << "repeater" << "67.0" << "88.5" << out << in << "67.0" << "88.5";
    QTest::newRow("repeater, DCS") << "repeater" << "D023N" << "D754N" << out << in << "D023N" << "D754N";
    QTest::newRow("repeater, DCS code alone") << "repeater" << "" << "023" << out << in << "OFF" << "D023N";
    QTest::newRow("repeater, none") << "repeater" << "" << "" << out << in << "OFF" << "OFF";
    // Read as the radio's own settings, the same columns say the reverse.
    QTest::newRow("radio, CTCSS out only") << "radio" << "88.5" << "" << in << out << "OFF" << "88.5";
    QTest::newRow("radio, CTCSS in only") << "radio" << "" << "88.5" << in << out << "88.5" << "OFF";
    QTest::newRow("radio, both") << "radio" << "67.0" << "88.5" << in << out << "88.5" << "67.0";
    QTest::newRow("radio, DCS") << "radio" << "D023N" << "D754N" << in << out << "D754N" << "D023N";
    QTest::newRow("radio, none") << "radio" << "" << "" << in << out << "OFF" << "OFF";
}

void TestChannelMerge::toneSides()
{
    QFETCH(QString, side);
    QFETCH(QString, toneTx);
    QFETCH(QString, toneRx);
    const QString text = QStringLiteral("callsign,frequency_tx,frequency_rx,ctcss_tx,ctcss_rx,site_name\n"
                                        "DB0XY,145.600,145.000,%1,%2,Town\n")
                             .arg(toneTx, toneRx);
    Side guessed;
    const RepeaterList::Parsed parsed = readList(text, &guessed);
    QVERIFY2(parsed.ok, qPrintable(parsed.error.text(false)));
    QCOMPARE(guessed, Side::Repeater); // the default for a directory
    const auto rows = RepeaterList::rows(parsed.entries, side == QLatin1String("radio") ? Side::Radio : Side::Repeater, {});
    QCOMPARE(rows.size(), 1);
    MemoryImage image;
    QVERIFY(ChannelMerge::merge(image, rows, Placement::EmptyFrom, 0));
    const ChannelRecord rec(image, 0);
    QTEST(rec.rxFrequencyText(), "rx");
    QTEST(rec.txFrequencyText(), "tx");
    QTEST(rec.rxToneText(), "rxTone");
    QTEST(rec.txToneText(), "txTone");
    QCOMPARE(rec.nameText(), QStringLiteral("DB0XY"));
}

void TestChannelMerge::locatorParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("6 characters, the middle of the subsquare") << "JN58td" << true << 48.0 + 3.5 / 24 << 11.625;
    QTest::newRow("upper case") << "JN58TD" << true << 48.0 + 3.5 / 24 << 11.625;
    QTest::newRow("4 characters, the middle of the square") << "JN58" << true << 48.5 << 11.0;
    QTest::newRow("south west corner") << "AA00aa" << true << -90 + 0.5 / 24 << -180 + 1.0 / 24;
    QTest::newRow("lat,lon") << "48.14,11.58" << true << 48.14 << 11.58;
    QTest::newRow("lat lon") << " -33.9  151.2 " << true << -33.9 << 151.2;
    QTest::newRow("5 characters") << "JN58t" << false << 0.0 << 0.0;
    QTest::newRow("field beyond R") << "ZZ00" << false << 0.0 << 0.0;
    QTest::newRow("subsquare beyond X") << "JN58zz" << false << 0.0 << 0.0;
    QTest::newRow("letters where digits go") << "JNAB" << false << 0.0 << 0.0;
    QTest::newRow("latitude out of range") << "91,0" << false << 0.0 << 0.0;
    QTest::newRow("one number") << "48.1" << false << 0.0 << 0.0;
    QTest::newRow("words") << "my house" << false << 0.0 << 0.0;
}

void TestChannelMerge::locatorParsing()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const auto at = RepeaterList::parseLocation(text);
    QCOMPARE(bool(at), ok);
    if (!ok)
        return;
    QFETCH(double, lat);
    QFETCH(double, lon);
    QVERIFY2(std::abs(at->lat - lat) < 1e-9 && std::abs(at->lon - lon) < 1e-9,
             qPrintable(QStringLiteral("%1 %2").arg(at->lat).arg(at->lon)));
}

void TestChannelMerge::headerGuessing_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("side");
    QTest::addColumn<QVector<int>>("columns"); // output, input, tone out, tone in, call, lat, lon
    QTest::newRow("channel CSV") << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode"
                                 << "channel CSV" << int(Side::Radio) << QVector<int>{-1, 2, 6, 7, 1, -1, -1};
    QTest::newRow("uplink/downlink directory")
        << "CALLSIGN,UPLINK_FREQUENCY,DOWNLINK_FREQUENCY,OFFSET,UPLINK_CTCSS,DOWNLINK_CTCSS,NEAR_CITY,LATITUDE,LONGITUDE"
        << "directory (UPLINK/DOWNLINK)" << int(Side::Repeater) << QVector<int>{2, 1, 5, 4, 0, 7, 8};
    QTest::newRow("frequency_tx list") << "callsign,frequency_tx,frequency_rx,ctcss_tx,ctcss_rx,site_name,lat,lon"
                                       << "repeater list (frequency_tx/frequency_rx)" << int(Side::Repeater)
                                       << QVector<int>{1, 2, 3, 4, 0, 6, 7};
    QTest::newRow("common spellings only") << "Call, Freq ,Lat,Lng,Tone" << "" << int(Side::Repeater)
                                           << QVector<int>{1, -1, 4, -1, 0, 2, 3};
    QTest::newRow("nothing known") << "a,b,c" << "" << int(Side::Repeater) << QVector<int>{-1, -1, -1, -1, -1, -1, -1};
}

void TestChannelMerge::headerGuessing()
{
    QFETCH(QString, header);
    QFETCH(QVector<int>, columns);
    const RepeaterList::Mapping m = RepeaterList::guess(RepeaterList::headerOf(header + QStringLiteral("\n1,2,3\n")));
    QTEST(m.layout, "layout");
    QTEST(int(m.side), "side");
    const Field fields[] = {Field::Output, Field::Input, Field::ToneOut, Field::ToneIn, Field::Call, Field::Latitude,
                            Field::Longitude};
    QVector<int> got;
    for (Field f : fields)
        got << m.column(f);
    QCOMPARE(got, columns);
}

void TestChannelMerge::placementRules_data()
{
    QTest::addColumn<QVector<int>>("used");
    QTest::addColumn<int>("placement");
    QTest::addColumn<int>("start");
    QTest::addColumn<QVector<int>>("sources");
    QTest::addColumn<QVector<int>>("targets"); // empty: refused
    QTest::addColumn<QVector<int>>("movedTo"); // where the plan's channel 3 ends up (insert)

    QTest::newRow("empty from 2 skips the used ones") << QVector<int>{0, 2, 3, 5} << int(Placement::EmptyFrom) << 2
                                                     << QVector<int>{10, 11, 12} << QVector<int>{4, 6, 7} << QVector<int>{3};
    QTest::newRow("empty: not enough room") << QVector<int>{197, 199} << int(Placement::EmptyFrom) << 197
                                            << QVector<int>{1, 2} << QVector<int>{} << QVector<int>{};
    QTest::newRow("insert at 2 shifts to the first gap") << QVector<int>{0, 2, 3, 5} << int(Placement::InsertAt) << 2
                                                         << QVector<int>{10, 11} << QVector<int>{2, 3} << QVector<int>{5};
    QTest::newRow("insert into an empty channel") << QVector<int>{0} << int(Placement::InsertAt) << 1
                                                  << QVector<int>{10} << QVector<int>{1} << QVector<int>{};
    QVector<int> all;
    for (int ch = 0; ch < 200; ++ch)
        all << ch;
    QTest::newRow("insert refused when nothing below is empty") << all << int(Placement::InsertAt) << 10
                                                                << QVector<int>{10} << QVector<int>{} << QVector<int>{};
    QTest::newRow("insert refused past the end") << QVector<int>{} << int(Placement::InsertAt) << 199
                                                 << QVector<int>{1, 2} << QVector<int>{} << QVector<int>{};
    QTest::newRow("replace the same numbers") << QVector<int>{0, 3} << int(Placement::ReplaceSame) << 50
                                              << QVector<int>{3, 9} << QVector<int>{3, 9} << QVector<int>{};
    QTest::newRow("replace: a list row counts from the start") << QVector<int>{} << int(Placement::ReplaceSame) << 50
                                                               << QVector<int>{-1, -1} << QVector<int>{50, 51}
                                                               << QVector<int>{};
    QTest::newRow("replace: two rows on one channel") << QVector<int>{} << int(Placement::ReplaceSame) << 3
                                                      << QVector<int>{4, -1, -1} << QVector<int>{} << QVector<int>{};
}

void TestChannelMerge::placementRules()
{
    QFETCH(QVector<int>, used);
    QFETCH(int, placement);
    QFETCH(int, start);
    QFETCH(QVector<int>, sources);
    QFETCH(QVector<int>, targets);
    QFETCH(QVector<int>, movedTo);
    MemoryImage image = planWith(used);
    const QByteArray before = image.rows(0, MemoryImage::Rows);
    QVector<ChannelMerge::Row> rows;
    for (int i = 0; i < sources.size(); ++i)
        rows << rowAt(430000000 + i * 25000, sources.at(i));
    // An unchecked row neither lands nor takes a place.
    ChannelMerge::Row skipped = rowAt(431000000, 150);
    skipped.checked = false;
    rows.insert(1, skipped);

    const ChannelMerge::Landing preview = ChannelMerge::place(image, rows, Placement(placement), start);
    QCOMPARE(image.rows(0, MemoryImage::Rows), before); // the preview changes nothing
    ChannelMerge::Landing landing;
    const bool merged = ChannelMerge::merge(image, rows, Placement(placement), start, &landing);
    QCOMPARE(merged, !targets.isEmpty());
    QCOMPARE(preview.ok, merged);
    if (!merged) {
        QVERIFY(!landing.refusalText(false).isEmpty() && !landing.refusalText(true).isEmpty());
        QCOMPARE(image.rows(0, MemoryImage::Rows), before);
        return;
    }
    QVector<int> got;
    for (int i = 0; i < rows.size(); ++i) {
        if (i == 1) {
            QCOMPARE(landing.targets.at(i), -1);
            continue;
        }
        got << landing.targets.at(i);
        QCOMPARE(image.row(landing.targets.at(i)), rows.at(i).record);
        QCOMPARE(image.row(256 + landing.targets.at(i)), rows.at(i).name);
    }
    QCOMPARE(got, targets);
    QCOMPARE(preview.targets, landing.targets);
    if (!movedTo.isEmpty())
        QCOMPARE(image.row(movedTo.first()), before.mid(3 * 16, 16));
}

void TestChannelMerge::duplicatesAndBandRefusals()
{
    MemoryImage plan = planWith({4});
    ChannelRecord(plan, 4).setRxTone(ToneCode{0, 0}); // "OFF" stored as 00 00
    QVector<ChannelMerge::Row> rows{rowAt(145000000 + 4 * 12500, 0), rowAt(145000000 + 4 * 12500, 1),
                                    rowAt(50000000, 2), rowAt(146000000, 3)};
    // Row 0 holds "OFF" as FF FF: the grid shows it alike, so it is the same channel.
    rows[0].record[8] = char(0xFF);
    rows[0].record[9] = char(0xFF);
    rows[1].record[10] = 0x85; // a transmit tone the plan's channel does not have
    rows[1].record[11] = 0x03;
    ChannelMerge::judge(rows, plan, BandLimits::startup());
    QCOMPARE(rows.at(0).duplicate, true);
    QCOMPARE(rows.at(0).duplicateOf, 4);
    QCOMPARE(rows.at(0).checked, false);
    QCOMPARE(rows.at(1).duplicate, false);
    QCOMPARE(rows.at(1).checked, true);
    QCOMPARE(rows.at(2).refused, true);
    QCOMPARE(rows.at(2).checked, false);
    QCOMPARE(rows.at(2).reason.text(false), QStringLiteral("Over the range of receive frequency ."));
    QCOMPARE(rows.at(3).merges(), true);
    // Checking a refused row by hand still does not merge it.
    rows[2].checked = true;
    ChannelMerge::Landing landing;
    QVERIFY(ChannelMerge::merge(plan, rows, Placement::EmptyFrom, 0, &landing));
    QCOMPARE(landing.targets, (QVector<int>{-1, 0, -1, 1}));
    const QStringList report = ChannelMerge::report(rows, landing, false);
    QCOMPARE(report.first(), QStringLiteral("merged 2, refused 1, skipped 1"));
    QVERIFY(report.contains(QStringLiteral("skipped: channel 0 (145.05000 R50): same as channel 4")));
    QVERIFY(report.contains(QStringLiteral("refused: channel 2 (50.00000 R0): Over the range of receive frequency .")));
    QCOMPARE(ChannelMerge::report(rows, landing, true).first(), QStringLiteral("合并 2，拒绝 1，跳过 1"));
}

void TestChannelMerge::nearSortsAndUnchecks()
{
    const QString text = QStringLiteral(
        "CALLSIGN,UPLINK_FREQUENCY,DOWNLINK_FREQUENCY,OFFSET,UPLINK_CTCSS,DOWNLINK_CTCSS,NEAR_CITY,LATITUDE,LONGITUDE\n"
        "FAR,144.9,145.5,-0.6,,,Far,50.0,11.6\n"
        "NOPOS,144.9,145.525,-0.6,,,Nowhere,,\n"
        "NEAR,144.9,145.55,-0.6,,,Near,48.2,11.6\n"
        "MID,144.9,145.575,-0.6,,,Mid,48.6,11.6\n");
    const RepeaterList::Parsed parsed = readList(text);
    QVERIFY(parsed.ok);
    RepeaterList::Near near{RepeaterList::parseLocation(QStringLiteral("48.1,11.6")), 100};
    const auto rows = RepeaterList::rows(parsed.entries, Side::Repeater, near);
    QStringList order;
    QVector<bool> checked;
    for (const auto &r : rows) {
        order << ChannelMerge::shown(r).name;
        checked << r.checked;
    }
    QCOMPARE(order, (QStringList{"NEAR", "MID", "FAR", "NOPOS"}));
    QCOMPARE(checked, (QVector<bool>{true, true, false, false}));
    QVERIFY(std::abs(rows.at(0).distanceKm - 11.1) < 0.1);
    QVERIFY(rows.at(2).noteEn.contains(QStringLiteral("outside 100 km")));
    QCOMPARE(rows.at(3).distanceKm, -1.0);
    QCOMPARE(rows.at(3).noteEn, QStringLiteral("no coordinates"));
    // Without a location every row keeps its place and its check.
    const auto plain = RepeaterList::rows(parsed.entries, Side::Repeater, {});
    QCOMPARE(ChannelMerge::shown(plain.at(0)).name, QStringLiteral("FAR"));
    QVERIFY(plain.at(1).checked);
}

void TestChannelMerge::namesAreCutToTheAllowedSet()
{
    RepeaterList::Entry e;
    bool cut = true;
    e.call = QStringLiteral("db0abc");
    QCOMPARE(RepeaterList::channelName(e, &cut), QStringLiteral("DB0ABC"));
    QCOMPARE(cut, false);
    e.call = QStringLiteral("W1AB-R");
    QCOMPARE(RepeaterList::channelName(e, &cut), QStringLiteral("W1ABR"));
    QCOMPARE(cut, true);
    e.call = QStringLiteral("DB0ABCD");
    QCOMPARE(RepeaterList::channelName(e, &cut), QStringLiteral("DB0ABC"));
    QCOMPARE(cut, true);
    e.call.clear();
    e.location = QStringLiteral("Bad Tölz");
    QCOMPARE(RepeaterList::channelName(e, &cut), QStringLiteral("BADTLZ"));
    QCOMPARE(cut, true);
    e.location = QStringLiteral("Ulm");
    const auto rows = RepeaterList::rows({e}, Side::Repeater, {});
    QCOMPARE(rows.first().noteEn, QString());
    e.location = QStringLiteral("Augsburg");
    QCOMPARE(RepeaterList::rows({e}, Side::Repeater, {}).first().noteEn,
             QStringLiteral("name cut from \"Augsburg\" to \"AUGSBU\""));
}

void TestChannelMerge::badListsNameLineAndColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    const QString head = QStringLiteral("callsign,frequency_tx,frequency_rx,ctcss_tx,ctcss_rx,site_name,lat,lon\n");
    QTest::newRow("no frequency column") << "callsign,site\nA,B\n"
                                         << "Line 1: no column gives the output or the input frequency"
                                         << "第 1 行：没有给出输出或输入频率的列";
    QTest::newRow("bad frequency") << head + "A,145.6,145.0,,,X,,\nB,abc,145.0,,,X,,\n"
                                   << "Line 3, column frequency_tx, value \"abc\": not a frequency"
                                   << "第 3 行，frequency_tx 列，值“abc”：不是频率";
    QTest::newRow("unreadable latitude") << head + "A,145.6,145.0,,,X,4B.1,11\n"
                                         << "Line 2, column lat, value \"4B.1\": not a latitude"
                                         << "第 2 行，lat 列";
    QTest::newRow("longitude out of range") << head + "A,145.6,145.0,,,X,48,181\n"
                                            << "Line 2, column lon, value \"181\": not a longitude" << "经度";
    QTest::newRow("bad tone") << head + "A,145.6,145.0,12.5x,,X,,\n"
                              << "Line 2, column ctcss_tx, value \"12.5x\": not a CTCSS tone" << "亚音";
    QString many = head;
    for (int i = 0; i < 201; ++i)
        many += QStringLiteral("R%1,145.6,145.0,,,X,,\n").arg(i);
    QTest::newRow("more rows than channels") << many << "Line 202, column frequency_tx, value \"145.6\": more rows"
                                             << "行数超过本机信道数";
}

void TestChannelMerge::badListsNameLineAndColumn()
{
    QFETCH(QString, text);
    const RepeaterList::Parsed parsed = readList(text);
    QVERIFY(!parsed.ok);
    QVERIFY(parsed.entries.isEmpty());
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QVERIFY2(parsed.error.text(false).startsWith(english), qPrintable(parsed.error.text(false)));
    QVERIFY2(parsed.error.text(true).contains(chinese), qPrintable(parsed.error.text(true)));
}

QTEST_APPLESS_MAIN(TestChannelMerge)
#include "tst_channelmerge.moc"
