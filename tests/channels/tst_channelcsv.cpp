#include "channels/channelcsv.h"
#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"

#include <QRandomGenerator>
#include <QtTest>
#include <memory>

namespace {

const BandLimits Limits{130, 179, 400, 520};

const QString FullHeader = QStringLiteral(
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power");

// A valid row in FullHeader's order with some cells replaced: "Frequency=185;Tone=TSQL".
QString row(const QString &overrides = QString())
{
    QStringList names = FullHeader.split(QLatin1Char(','));
    QStringList cells{"1", "OK", "145.5", "", "0", "", "88.5", "88.5", "023", "NN", "023", "Tone->Tone", "FM", "", "High"};
    for (const QString &o : overrides.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        cells[names.indexOf(o.section(QLatin1Char('='), 0, 0))] = o.section(QLatin1Char('='), 1);
    return cells.join(QLatin1Char(','));
}

ToneCode tone(const char *text)
{
    return *encodeToneText(QString::fromLatin1(text));
}

// One channel set up as a user of the grid would.
void makeChannel(MemoryImage &image, int channel, const char *rx, const char *tx, const char *rxTone, const char *txTone)
{
    ChannelRecord rec(image, channel);
    rec.create();
    QVERIFY(rec.setRxFrequency(QString::fromLatin1(rx)));
    rec.setRxTone(tone(rxTone));
    if (*tx) {
        QVERIFY(rec.setTxFrequency(QString::fromLatin1(tx)));
        rec.setTxTone(tone(txTone));
    } else {
        rec.clearTxFrequency();
    }
}

// A channel with every field the grid has at random, foreign bits included.
void randomChannel(MemoryImage &image, int channel, QRandomGenerator &rng)
{
    ChannelRecord rec(image, channel);
    rec.create();
    auto anyFrequency = [&](bool bandB) {
        const qint64 lo = bandB ? 400000000 : 136000000, hi = bandB ? 480000000 : 174000000;
        const qint64 step = rng.bounded(2) ? 2500 : 6250;
        return lo + step * rng.bounded(int((hi - lo) / step));
    };
    auto anyTone = [&]() -> ToneCode {
        switch (rng.bounded(5)) {
        case 0: return ToneCode{0, 0};
        case 1: return ToneCode{0xFF, 0xFF};
        case 2: return *encodeToneIndex(rng.bounded(ToneTable::FirstCtcss, ToneTable::LastCtcss + 1));
        case 3: return ToneCode::fromValue(rng.bounded(ToneTable::TypedCtcssMin, ToneTable::TypedCtcssMax + 1));
        default: return *encodeToneIndex(rng.bounded(ToneTable::FirstDcs, ToneTable::Last + 1));
        }
    };
    const bool bandB = rng.bounded(2);
    const qint64 rx = anyFrequency(bandB);
    QVERIFY(rec.setRxFrequencyHz(rx));
    rec.setRxTone(anyTone());
    switch (rng.bounded(4)) {
    case 0: rec.clearTxFrequency(); break;
    case 1: QVERIFY(rec.setTxFrequencyHz(rx)); break;
    case 2: QVERIFY(rec.setTxFrequencyHz(anyFrequency(bandB))); break;
    default: QVERIFY(rec.setTxFrequencyHz(anyFrequency(!bandB))); break;
    }
    if (rec.hasTxFrequency())
        rec.setTxTone(anyTone());
    // Bytes 12 to 15 whole: the fields the file has no column for and the unused bits.
    const int recordRow = Area::Channels.firstRow + channel;
    for (int offset = 12; offset < 16; ++offset)
        image.setCell(recordRow, offset, uint8_t(rng.bounded(256)));
    QString name;
    const int length = rng.bounded(7);
    for (int i = 0; i < length; ++i)
        name += QLatin1Char("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[rng.bounded(36)]);
    rec.setName(name);
}

QByteArray csv(const QStringList &lines)
{
    return lines.join(QStringLiteral("\n")).toUtf8();
}

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportThenImportKeepsEveryByte();
    void handWrittenFileWithQuirksImports();
    void badValuesAreRefusedWithTheirLine_data();
    void badValuesAreRefusedWithTheirLine();
    void manyBadRowsShowTenThenACount();
    void duplexToneAndCrossBothWays_data();
    void duplexToneAndCrossBothWays();
    void channelsNotInTheFileAreUntouched();
};

void TestChannelCsv::exportThenImportKeepsEveryByte()
{
    QRandomGenerator rng(20240611);
    auto image = std::make_unique<MemoryImage>();
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        if (rng.bounded(10) < 7)
            randomChannel(*image, ch, rng);
        else // empty, with leftovers behind the empty mark
            image->setCell(Area::Channels.firstRow + ch, 5, uint8_t(rng.bounded(256)));
    }
    const QByteArray text = ChannelCsv::write(*image, Limits);
    QVERIFY(text.startsWith(ChannelCsv::columns().join(QLatin1Char(',')).toUtf8() + "\r\n"));

    // Into the image it came from: not one byte changes, foreign bits and FF FF tones included.
    auto same = std::make_unique<MemoryImage>(*image);
    const ChannelCsv::ImportResult back = ChannelCsv::importInto(text, *same, Limits);
    QVERIFY2(back.ok, qPrintable(ChannelCsv::problemList(back.errors, false)));
    QVERIFY(back.notices.isEmpty());
    QCOMPARE(back.channels.size(), text.count('\n') - 1);
    for (int row = 0; row < MemoryImage::Rows; ++row)
        QVERIFY2(same->row(row) == image->row(row), qPrintable(QString::number(row)));

    // Into an erased image: everything the layout expresses comes back the same.
    auto fresh = std::make_unique<MemoryImage>();
    QVERIFY(ChannelCsv::importInto(text, *fresh, Limits).ok);
    QCOMPARE(ChannelCsv::write(*fresh, Limits), text);
}

void TestChannelCsv::handWrittenFileWithQuirksImports()
{
    // BOM, CR LF and LF mixed, blank lines, quoted fields with commas, doubled quotes and a
    // line end, columns in another order, missing columns, an unknown one, a CTCSS value
    // between the table's tones, a DCS code without its leading zero, watts and letters.
    const QByteArray file = "\xEF\xBB\xBF"
                            "Name,Location,Frequency,Tone,cToneFreq,DtcsCode,Power,Mode,Notes\r\n"
                            "\r\n"
                            "\"RPT,1\",5,146.52,TSQL,123.4,,50W,NFM,\"a \"\"quoted\"\" note\"\n"
                            "\n"
                            "verylongname,6,\"145.5\",,,,5.0W,,\r\n"
                            "d,7,435,DTCS,,23,h,fm,\"two\r\nlines\"\n"
                            "x,8, 438.4 ,,,,l,,\n";
    auto image = std::make_unique<MemoryImage>();
    const ChannelCsv::ImportResult r = ChannelCsv::importInto(file, *image, Limits);
    QVERIFY2(r.ok, qPrintable(ChannelCsv::problemList(r.errors, false)));
    QCOMPARE(r.channels, QVector<int>({5, 6, 7, 8}));
    QCOMPARE(r.notices.size(), 1);
    QCOMPARE(r.notices.at(0).text(false),
             QStringLiteral("Line 5, column Name, value \"verylongname\": The letter of channel name max 6 bit . "));

    auto record = [&](int ch) { return image->row(Area::Channels.firstRow + ch).toHex(' '); };
    auto name = [&](int ch) { return image->row(Area::ChannelNames.firstRow + ch).left(6).toHex(' '); };
    // 123.4 Hz both ways (D2 04), new-channel defaults, narrow; the comma is no name character.
    QCOMPARE(record(5), QByteArray("00 20 65 14 00 20 65 14 d2 04 d2 04 00 00 00 44"));
    QCOMPARE(name(5), QByteArray("52 50 54 ff 31 ff"));
    // 5 W is below the file's 50 W: low.
    QCOMPARE(record(6), QByteArray("00 00 55 14 00 00 55 14 00 00 00 00 00 00 01 04"));
    QCOMPARE(name(6), QByteArray("56 45 52 59 4c 4f"));
    QCOMPARE(record(7), QByteArray("00 00 50 43 00 00 50 43 01 00 01 00 00 00 00 04"));
    QCOMPARE(record(8), QByteArray("00 00 84 43 00 00 84 43 00 00 00 00 00 00 01 04"));
    QCOMPARE(ChannelRecord(*image, 7).nameText(), QStringLiteral("D"));
}

void TestChannelCsv::badValuesAreRefusedWithTheirLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("reason");

    auto add = [](const char *tag, const QString &bad, const QString &column, const QString &reason) {
        QTest::newRow(tag) << csv({FullHeader, row(), bad}) << 3 << column << reason;
    };
    add("location above 199", row("Location=200"), "Location", "not a channel number from 0 to 199");
    add("location no number", row("Location=abc"), "Location", "not a channel number from 0 to 199");
    add("location twice", row("Location=1"), "Location", "this channel is listed twice");
    add("frequency no number", row("Frequency=14x.5"), "Frequency", "not a frequency in MHz");
    add("frequency out of band A", row("Frequency=185"), "Frequency", "Over the range of receive frequency .");
    add("frequency above B upper", row("Frequency=520.5"), "Frequency", "Over the range of receive frequency .");
    add("duplex unknown", row("Duplex=x"), "Duplex", "Duplex must be empty, +, -, split or off");
    add("offset out of band", row("Duplex=+;Offset=50"), "Offset", "Over the range of transmit frequency .");
    add("offset below zero", row("Duplex=-;Offset=200"), "Offset", "Over the range of transmit frequency .");
    add("split out of band", row("Duplex=split;Offset=300"), "Offset", "Over the range of transmit frequency .");
    add("offset no number", row("Duplex=+;Offset=abc"), "Offset", "not a frequency in MHz");
    add("tone mode unknown", row("Tone=Foo"), "Tone", "Tone must be empty, Tone, TSQL, DTCS or Cross");
    add("ctcss below 60", row("Tone=Tone;rToneFreq=59.9"), "rToneFreq", "not a CTCSS tone from 60 to 259.9 Hz");
    add("ctcss above 259.9", row("Tone=TSQL;cToneFreq=260"), "cToneFreq", "not a CTCSS tone from 60 to 259.9 Hz");
    add("dcs not in table", row("Tone=DTCS;DtcsCode=024"), "DtcsCode", "not a DCS code of the tone table");
    add("dcs not octal", row("Tone=DTCS;DtcsCode=8"), "DtcsCode", "not a DCS code of the tone table");
    add("dcs polarity", row("Tone=DTCS;DtcsPolarity=NX"), "DtcsPolarity", "DtcsPolarity must be two letters, each N or R");
    add("cross mode unknown", row("Tone=Cross;CrossMode=Tone->Foo"), "CrossMode", "not a CrossMode this radio has");
    add("cross rx dcs", row("Tone=Cross;CrossMode=->DTCS;RxDtcsCode=999"), "RxDtcsCode", "not a DCS code of the tone table");
    add("mode", row("Mode=AM"), "Mode", "Mode must be FM or NFM");
    add("skip", row("Skip=X"), "Skip", "Skip must be empty or S");
    add("power", row("Power=strong"), "Power", "Power must be High, Low or a wattage");

    // Line numbers count the line ends inside quoted fields.
    QTest::newRow("line after a quoted line end")
        << csv({FullHeader, row("Name=\"A\nB\""), row("Location=2;Mode=AM")}) << 4 << QStringLiteral("Mode")
        << QStringLiteral("Mode must be FM or NFM");
    const QString noHeader =
        QStringLiteral("the first line must be a header naming at least the Location and Frequency columns");
    QTest::newRow("no frequency column") << QByteArray("Location,Name\n1,A\n") << 1 << QString() << noHeader;
    QTest::newRow("empty file") << QByteArray("\xEF\xBB\xBF\r\n") << 1 << QString() << noHeader;
    QTest::newRow("quote not closed") << csv({FullHeader, row(), row("Location=2;Name=\"AB")}) << 3 << QString()
                                      << QStringLiteral("a quoted field is not closed");
}

void TestChannelCsv::badValuesAreRefusedWithTheirLine()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, column);
    QFETCH(QString, reason);

    auto image = std::make_unique<MemoryImage>();
    makeChannel(*image, 1, "150", "150", "OFF", "OFF");
    makeChannel(*image, 2, "440", "445", "67.0", "D023N");
    const auto before = std::make_unique<MemoryImage>(*image);

    const ChannelCsv::ImportResult r = ChannelCsv::importInto(file, *image, Limits);
    QVERIFY(!r.ok);
    QCOMPARE(r.errors.size(), 1);
    QCOMPARE(r.errors.at(0).line, line);
    QCOMPARE(r.errors.at(0).column, column);
    QCOMPARE(QString::fromUtf8(r.errors.at(0).reason.en), reason);
    QVERIFY(r.channels.isEmpty());
    // The good row before the bad one is not stored either.
    QVERIFY(*image == *before);
    QVERIFY(r.errorMessage(false).startsWith(QStringLiteral("No channel was imported: 1 rows are not valid.\nLine %1").arg(line)));
    QVERIFY(r.errorMessage(true).contains(QStringLiteral("第 %1 行").arg(line)));
}

void TestChannelCsv::manyBadRowsShowTenThenACount()
{
    QStringList lines{FullHeader};
    for (int i = 0; i < 13; ++i)
        lines << row(QStringLiteral("Location=%1;Frequency=999").arg(i));
    auto image = std::make_unique<MemoryImage>();
    const ChannelCsv::ImportResult r = ChannelCsv::importInto(csv(lines), *image, Limits);
    QCOMPARE(r.errors.size(), 13);
    const QStringList message = r.errorMessage(false).split(QLatin1Char('\n'));
    QCOMPARE(message.size(), 12);
    QCOMPARE(message.first(), QStringLiteral("No channel was imported: 13 rows are not valid."));
    QCOMPARE(message.at(1), QStringLiteral("Line 2, column Frequency, value \"999\": Over the range of receive frequency ."));
    QVERIFY(message.at(10).startsWith(QStringLiteral("Line 11,")));
    QCOMPARE(message.last(), QStringLiteral("... and 3 more"));
    QVERIFY(r.errorMessage(true).endsWith(QStringLiteral("……另有 3 行")));
}

void TestChannelCsv::duplexToneAndCrossBothWays_data()
{
    QTest::addColumn<QString>("rx");
    QTest::addColumn<QString>("tx");
    QTest::addColumn<QString>("rxTone");
    QTest::addColumn<QString>("txTone");
    // Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode
    QTest::addColumn<QString>("columns");

    const struct { const char *tag, *rx, *tx, *rxTone, *txTone, *columns; } rows[] = {
        {"simplex", "145.5", "145.5", "OFF", "OFF", ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone"},
        {"plus", "145.5", "146.1", "OFF", "OFF", "+,0.600000,,88.5,88.5,023,NN,023,Tone->Tone"},
        {"minus in band B", "439.95", "430.35", "OFF", "OFF", "-,9.600000,,88.5,88.5,023,NN,023,Tone->Tone"},
        {"split across bands", "145.5", "435.0125", "OFF", "OFF", "split,435.012500,,88.5,88.5,023,NN,023,Tone->Tone"},
        {"receive only", "145.5", "", "OFF", "OFF", "off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone"},
        {"Tone", "145.5", "145.5", "OFF", "100.0", ",0.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone"},
        {"TSQL", "145.5", "145.5", "100.0", "100.0", ",0.000000,TSQL,100.0,100.0,023,NN,023,Tone->Tone"},
        {"DTCS", "145.5", "145.5", "D023N", "D023N", ",0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone"},
        {"DTCS mixed polarity", "145.5", "145.5", "D023I", "D023N", ",0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone"},
        {"Tone->Tone", "145.5", "145.5", "123.0", "100.0", ",0.000000,Cross,100.0,123.0,023,NN,023,Tone->Tone"},
        {"Tone->DTCS", "145.5", "145.5", "D754I", "100.0", ",0.000000,Cross,100.0,88.5,023,NR,754,Tone->DTCS"},
        {"DTCS->Tone", "145.5", "145.5", "67.0", "D025N", ",0.000000,Cross,88.5,67.0,025,NN,023,DTCS->Tone"},
        {"->Tone", "145.5", "145.5", "67.0", "OFF", ",0.000000,Cross,88.5,67.0,023,NN,023,->Tone"},
        {"->DTCS", "145.5", "145.5", "D065N", "OFF", ",0.000000,Cross,88.5,88.5,023,NN,065,->DTCS"},
        {"DTCS->", "145.5", "145.5", "OFF", "D131I", ",0.000000,Cross,88.5,88.5,131,RN,023,DTCS->"},
        {"DTCS->DTCS", "145.5", "145.5", "D754N", "D023N", ",0.000000,Cross,88.5,88.5,023,NN,754,DTCS->DTCS"},
        {"receive only with a tone", "145.5", "", "67.0", "OFF", "off,0.000000,Cross,88.5,67.0,023,NN,023,->Tone"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.tag) << QString::fromLatin1(r.rx) << QString::fromLatin1(r.tx) << QString::fromLatin1(r.rxTone)
                             << QString::fromLatin1(r.txTone) << QString::fromLatin1(r.columns);
}

void TestChannelCsv::duplexToneAndCrossBothWays()
{
    QFETCH(QString, rx);
    QFETCH(QString, tx);
    QFETCH(QString, rxTone);
    QFETCH(QString, txTone);
    QFETCH(QString, columns);

    auto image = std::make_unique<MemoryImage>();
    makeChannel(*image, 9, rx.toLatin1().constData(), tx.toLatin1().constData(), rxTone.toLatin1().constData(),
                txTone.toLatin1().constData());
    const QStringList lines = QString::fromUtf8(ChannelCsv::write(*image, Limits)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3); // header, the channel, and nothing after the last line end
    QCOMPARE(lines.at(1).section(QLatin1Char(','), 3, 11), columns);

    // And back: the same record, from nothing.
    auto fresh = std::make_unique<MemoryImage>();
    QVERIFY(ChannelCsv::importInto(lines.join(QStringLiteral("\r\n")).toUtf8(), *fresh, Limits).ok);
    QCOMPARE(fresh->row(Area::Channels.firstRow + 9).toHex(' '), image->row(Area::Channels.firstRow + 9).toHex(' '));
}

void TestChannelCsv::channelsNotInTheFileAreUntouched()
{
    QRandomGenerator rng(7);
    auto image = std::make_unique<MemoryImage>();
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        for (int column = 0; column < MemoryImage::Columns; ++column)
            image->setCell(row, column, uint8_t(rng.bounded(256)));
    }
    makeChannel(*image, 3, "145.5", "145.5", "OFF", "OFF");
    // Busy lock, PTT-ID BOTH, signal code 9, DTMF and mute OR, scrambler on, unused bits set.
    image->setCell(Area::Channels.firstRow + 3, 12, 0x58);
    image->setCell(Area::Channels.firstRow + 3, 13, 0x21);
    image->setCell(Area::Channels.firstRow + 3, 14, 0x1C);
    image->setCell(Area::Channels.firstRow + 3, 15, 0xBF);
    image->setCell(Area::Channels.firstRow + 150, 0, 0xFF); // empty, its other bytes left over
    const auto before = std::make_unique<MemoryImage>(*image);

    const QByteArray file = csv({FullHeader, row("Location=3;Frequency=146.52;Mode=NFM;Skip=S;Power=Low;Name=NEW"),
                                 row("Location=150;Frequency=435.5;Name=B150")});
    const ChannelCsv::ImportResult r = ChannelCsv::importInto(file, *image, Limits);
    QVERIFY(r.ok);
    const QVector<int> touched{Area::Channels.firstRow + 3, Area::Channels.firstRow + 150,
                               Area::ChannelNames.firstRow + 3, Area::ChannelNames.firstRow + 150};
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        if (!touched.contains(row))
            QVERIFY2(image->row(row) == before->row(row), qPrintable(QString::number(row)));
    }
    // Channel 3 keeps what the file has no column for: 12 and 13 whole, the scrambler and
    // the unused bits of 14, busy lock, PTT-ID and unused bits of 15; only the fields the
    // file names change (low power, narrow, scan add off).
    QCOMPARE(image->row(Area::Channels.firstRow + 3).toHex(' '), QByteArray("00 20 65 14 00 20 65 14 00 00 00 00 58 21 1d fb"));
    QCOMPARE(ChannelRecord(*image, 3).nameText(), QStringLiteral("NEW"));
    // Channel 150 was empty: the new-channel defaults.
    QCOMPARE(image->row(Area::Channels.firstRow + 150).toHex(' '), QByteArray("00 00 55 43 00 00 55 43 00 00 00 00 00 00 00 04"));
    QCOMPARE(image->row(Area::ChannelNames.firstRow + 150).toHex(' '),
             QByteArray("42 31 35 30 ff ff ff ff ff ff ff ff ff ff ff ff"));
}

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
