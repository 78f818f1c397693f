#include "image/bandlimits.h"
#include "image/digitcodes.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"

#include <QtTest>

namespace {

QByteArray bytesOf(const PackedFrequency &p)
{
    return QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size()));
}

QByteArray bytesOf(ToneCode code)
{
    QByteArray bytes;
    bytes.append(char(code.low));
    bytes.append(char(code.high));
    return bytes;
}

PackedFrequency packedOf(const QByteArray &hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    return {uint8_t(b[0]), uint8_t(b[1]), uint8_t(b[2]), uint8_t(b[3])};
}

} // namespace

class TestCodecs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encodeFrequencyExamples_data();
    void encodeFrequencyExamples();
    void decodeFrequencyExamples_data();
    void decodeFrequencyExamples();
    void frequencyTextRejectsNonNumbers_data();
    void frequencyTextRejectsNonNumbers();
    void encodeIntoImageTouchesOnlyFourBytes();
    void everyRasterPointRoundTrips();
    void bandChecksAtTheirEdges_data();
    void bandChecksAtTheirEdges();

    void toneTableShape();
    void decodeTone_data();
    void decodeTone();
    void encodeToneIndex_data();
    void encodeToneIndex();
    void typedCtcss_data();
    void typedCtcss();
    void toneTextLookupAndIndexOfCode();

    void dtmfDigits_data();
    void dtmfDigits();
    void dtmfDecode();
    void hexDigits_data();
    void hexDigits();
};

void TestCodecs::encodeFrequencyExamples_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("packed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("145.125 on raster") << "145.125" << QByteArray("00255114") << "145.12500";
    QTest::newRow("438.5") << "438.5" << QByteArray("00008543") << "438.50000";
    QTest::newRow("145.1225") << "145.1225" << QByteArray("50225114") << "145.12250";
    QTest::newRow("145.1234 down to 2.5 kHz") << "145.1234" << QByteArray("50225114") << "145.12250";
    QTest::newRow("145.00625 on 6.25 kHz") << "145.00625" << QByteArray("25065014") << "145.00625";
    QTest::newRow("145.00624 to 145.005") << "145.00624" << QByteArray("00055014") << "145.00500";
    QTest::newRow("145.0031 to 145.0025") << "145.0031" << QByteArray("50025014") << "145.00250";
    QTest::newRow("146.52") << "146.52" << QByteArray("00206514") << "146.52000";
    QTest::newRow("66 whole") << "66" << QByteArray("00006006") << "66.00000";
    QTest::newRow("surrounding spaces") << " 66 " << QByteArray("00006006") << "66.00000";
    QTest::newRow("trailing point") << "145." << QByteArray("00005014") << "145.00000";
    // Within one hertz below a raster point counts as the point itself.
    QTest::newRow("guard below 145.125") << "145.124999" << QByteArray("00255114") << "145.12500";
    QTest::newRow("just outside guard") << "145.124998" << QByteArray("50225114") << "145.12250";
    // Tie: 145.0125 is both 2.5 and 6.25 kHz raster; 145.01875 is 6.25 only.
    QTest::newRow("common multiple") << "145.0125" << QByteArray("50125014") << "145.01250";
    QTest::newRow("6.25 only") << "145.01875" << QByteArray("75185014") << "145.01875";
    QTest::newRow("default 155.025") << "155.025" << QByteArray("00255015") << "155.02500";
    QTest::newRow("default 480.625") << "480.625" << QByteArray("00250648") << "480.62500";
    QTest::newRow("leading zeros") << "0145.125" << QByteArray("00255114") << "145.12500";
}

void TestCodecs::encodeFrequencyExamples()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, packed);
    QFETCH(QString, shown);
    const auto encoded = encodeFrequency(typed);
    QVERIFY(encoded.has_value());
    QCOMPARE(bytesOf(*encoded).toHex(), packed);
    QCOMPARE(decodeFrequency(*encoded), shown);
}

void TestCodecs::decodeFrequencyExamples_data()
{
    QTest::addColumn<QByteArray>("packed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint64>("hz");
    QTest::newRow("145.125") << QByteArray("00255114") << "145.12500" << qint64(145125000);
    QTest::newRow("438.5") << QByteArray("00008543") << "438.50000" << qint64(438500000);
    QTest::newRow("66") << QByteArray("00006006") << "66.00000" << qint64(66000000);
    QTest::newRow("10 Hz digit") << QByteArray("01000040") << "400.00001" << qint64(400000010);
    QTest::newRow("below 10 MHz keeps its point") << QByteArray("00005000") << "5.00000" << qint64(5000000);
    // Nibbles above 9 are taken at face value: A in the 100 MHz digit is 1000 MHz.
    QTest::newRow("nibble above 9") << QByteArray("000000A0") << "1000.00000" << qint64(1000000000);
    QTest::newRow("all FF") << QByteArray("FFFFFFFF") << "1666.66665" << qint64(1666666650);
}

void TestCodecs::decodeFrequencyExamples()
{
    QFETCH(QByteArray, packed);
    QFETCH(QString, shown);
    QFETCH(qint64, hz);
    QCOMPARE(unpackFrequencyHz(packedOf(packed)), hz);
    QCOMPARE(decodeFrequency(packedOf(packed)), shown);
}

void TestCodecs::frequencyTextRejectsNonNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces") << "   ";
    QTest::newRow("point only") << ".";
    QTest::newRow("two points") << "145.1.2";
    QTest::newRow("letters") << "145a";
    QTest::newRow("sign") << "-145";
    QTest::newRow("comma") << "145,125";
    QTest::newRow("exponent") << "1.45e2";
    QTest::newRow("not packable") << "1600";
    QTest::newRow("far too long") << "123456789";
}

void TestCodecs::frequencyTextRejectsNonNumbers()
{
    QFETCH(QString, typed);
    QVERIFY(!encodeFrequency(typed).has_value());
    MemoryImage image;
    const MemoryImage before = image;
    QVERIFY(!encodeFrequency(typed, image, 3, 4));
    QVERIFY(image == before);
}

void TestCodecs::encodeIntoImageTouchesOnlyFourBytes()
{
    MemoryImage image;
    image.fill(0, 5, 0xA5);
    QVERIFY(encodeFrequency(QStringLiteral("145.125"), image, 2, 4));
    QCOMPARE(image.row(2).toHex(), QByteArray("a5a5a5a500255114a5a5a5a5a5a5a5a5"));
    QCOMPARE(image.row(1), QByteArray(16, char(0xA5)));
    QCOMPARE(decodeFrequency(image, 2, 4), QStringLiteral("145.12500"));
}

void TestCodecs::everyRasterPointRoundTrips()
{
    // Every raster point from 60 to 600 MHz, typed as its shown text, must come back as
    // the same text: nothing may drift by a digit anywhere in the range.
    int checked = 0;
    for (qint64 step : {qint64(2500), qint64(6250)}) {
        for (qint64 hz = 60000000; hz <= 600000000; hz += step) {
            const QString text = frequencyText(hz);
            const auto packed = encodeFrequency(text);
            if (!packed || unpackFrequencyHz(*packed) != hz || decodeFrequency(*packed) != text)
                QFAIL(qPrintable(QStringLiteral("%1 does not round-trip").arg(text)));
            ++checked;
        }
    }
    QCOMPARE(checked, 216001 + 86401);
}

void TestCodecs::bandChecksAtTheirEdges_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("entry");
    QTest::addColumn<bool>("preWrite");
    QTest::newRow("179.5 passes both") << "179.5" << true << true;
    QTest::newRow("185 fails both") << "185" << false << false;
    QTest::newRow("520.5 only pre-write") << "520.5" << false << true;
    QTest::newRow("a lower") << "130" << true << true;
    QTest::newRow("below a lower") << "129.99999" << false << false;
    QTest::newRow("a upper + 1 - 10 Hz") << "179.99999" << true << true;
    QTest::newRow("a upper + 1") << "180" << false << false;
    QTest::newRow("below b lower") << "399.99999" << false << false;
    QTest::newRow("b lower") << "400" << true << true;
    QTest::newRow("b upper") << "520" << true << true;
    QTest::newRow("just above b upper") << "520.00001" << false << true;
    QTest::newRow("b upper + 1") << "521" << false << false;
}

void TestCodecs::bandChecksAtTheirEdges()
{
    QFETCH(QString, typed);
    QFETCH(bool, entry);
    QFETCH(bool, preWrite);
    const BandLimits limits{130, 179, 400, 520};
    const auto hz = parseFrequencyHz(typed);
    QVERIFY(hz.has_value());
    QCOMPARE(frequencyInBand(*hz, BandCheck::Entry, limits), entry);
    QCOMPARE(frequencyInBand(*hz, BandCheck::PreWrite, limits), preWrite);
}

void TestCodecs::toneTableShape()
{
    const QStringList &padded = paddedToneTable();
    const QStringList &texts = toneTableTexts();
    QCOMPARE(padded.size(), 261);
    QCOMPARE(texts.size(), 261);
    QCOMPARE(padded.at(1), QStringLiteral("   67.0    "));
    QCOMPARE(padded.at(51), QStringLiteral("  D023N   "));
    QCOMPARE(texts.at(0), QStringLiteral("OFF"));
    QCOMPARE(texts.at(1), QStringLiteral("67.0"));
    QCOMPARE(texts.at(13), QStringLiteral("100.0"));
    QCOMPARE(texts.at(50), QStringLiteral("254.1"));
    QCOMPARE(texts.at(51), QStringLiteral("D023N"));
    QCOMPARE(texts.at(155), QStringLiteral("D754N"));
    QCOMPARE(texts.at(156), QStringLiteral("D023I"));
    QCOMPARE(texts.at(260), QStringLiteral("D754I"));
    for (int i = 0; i < padded.size(); ++i)
        QCOMPARE(padded.at(i).trimmed(), texts.at(i));
    QCOMPARE(toneTableText(-1), QString());
    QCOMPARE(toneTableText(261), QString());
}

void TestCodecs::decodeTone_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("00 00") << QByteArray("0000") << "OFF";
    QTest::newRow("FF FF") << QByteArray("ffff") << "OFF";
    QTest::newRow("67.0") << QByteArray("9e02") << "67.0";
    QTest::newRow("88.5") << QByteArray("7503") << "88.5";
    QTest::newRow("100.0") << QByteArray("e803") << "100.0";
    QTest::newRow("254.1") << QByteArray("ed09") << "254.1";
    QTest::newRow("typed 60.0 not in table") << QByteArray("5802") << "60.0";
    QTest::newRow("D023N") << QByteArray("0100") << "D023N";
    QTest::newRow("D754N") << QByteArray("6900") << "D754N";
    QTest::newRow("D023I") << QByteArray("6a00") << "D023I";
    QTest::newRow("D754I") << QByteArray("d200") << "D754I";
    QTest::newRow("DCS 211 unknown") << QByteArray("d300") << "";
    QTest::newRow("DCS 255 unknown") << QByteArray("ff00") << "";
    QTest::newRow("high 0x80 unknown") << QByteArray("0080") << "";
    QTest::newRow("high 0xFE unknown") << QByteArray("fffe") << "";
    QTest::newRow("FF 00 not off") << QByteArray("00ff") << "";
    QTest::newRow("high 0x7F still CTCSS") << QByteArray("ff7f") << "3276.7";
}

void TestCodecs::decodeTone()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, shown);
    const QByteArray b = QByteArray::fromHex(code);
    QCOMPARE(::decodeTone(uint8_t(b[0]), uint8_t(b[1])), shown);
}

void TestCodecs::encodeToneIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("OFF") << 0 << QByteArray("0000");
    QTest::newRow("67.0") << 1 << QByteArray("9e02");
    QTest::newRow("88.5") << 9 << QByteArray("7503");
    QTest::newRow("254.1") << 50 << QByteArray("ed09");
    QTest::newRow("D023N") << 51 << QByteArray("0100");
    QTest::newRow("D754N") << 155 << QByteArray("6900");
    QTest::newRow("D023I") << 156 << QByteArray("6a00");
    QTest::newRow("D754I") << 260 << QByteArray("d200");
}

void TestCodecs::encodeToneIndex()
{
    QFETCH(int, index);
    QFETCH(QByteArray, code);
    const auto encoded = ::encodeToneIndex(index);
    QVERIFY(encoded.has_value());
    QCOMPARE(bytesOf(*encoded).toHex(), code);
    // Every table entry decodes back to its own text and index.
    QCOMPARE(::decodeTone(*encoded), toneTableText(index));
    QCOMPARE(toneTableIndexOf(*encoded), index);
}

void TestCodecs::typedCtcss_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("code"); // empty: refused
    QTest::addColumn<QString>("shown");
    QTest::newRow("100") << "100" << QByteArray("e803") << "100.0";
    QTest::newRow("88.5") << "88.5" << QByteArray("7503") << "88.5";
    QTest::newRow("lowest 60") << "60" << QByteArray("5802") << "60.0";
    QTest::newRow("highest 259.9") << "259.9" << QByteArray("270a") << "259.9";
    QTest::newRow("rounds half up") << "88.55" << QByteArray("7603") << "88.6";
    QTest::newRow("rounds down") << "88.549" << QByteArray("7503") << "88.5";
    QTest::newRow("below 60") << "59.99" << QByteArray() << "";
    QTest::newRow("above 259.9") << "259.91" << QByteArray() << "";
    QTest::newRow("just above by a far digit") << "259.9000001" << QByteArray() << "";
    QTest::newRow("a DCS text") << "D023N" << QByteArray() << "";
    QTest::newRow("empty") << "" << QByteArray() << "";
}

void TestCodecs::typedCtcss()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, code);
    QFETCH(QString, shown);
    const auto encoded = encodeTypedCtcss(typed);
    QCOMPARE(encoded.has_value(), !code.isEmpty());
    if (encoded) {
        QCOMPARE(bytesOf(*encoded).toHex(), code);
        QCOMPARE(::decodeTone(*encoded), shown);
    }
}

void TestCodecs::toneTextLookupAndIndexOfCode()
{
    QCOMPARE(toneTableIndex(QStringLiteral("  D023N  ")), 51);
    QCOMPARE(toneTableIndex(QStringLiteral("d754i")), 260);
    QCOMPARE(toneTableIndex(QStringLiteral("OFF")), 0);
    QCOMPARE(toneTableIndex(QStringLiteral("D999N")), -1);
    QCOMPARE(toneTableIndex(QStringLiteral("100")), -1);

    // A typed text: numbers first, then the table.
    QCOMPARE(bytesOf(*encodeToneText(QStringLiteral("100"))).toHex(), QByteArray("e803"));
    QCOMPARE(bytesOf(*encodeToneText(QStringLiteral("D023I"))).toHex(), QByteArray("6a00"));
    QCOMPARE(bytesOf(*encodeToneText(QStringLiteral("OFF"))).toHex(), QByteArray("0000"));
    QVERIFY(!encodeToneText(QStringLiteral("300")).has_value());
    QVERIFY(!encodeToneText(QStringLiteral("D999N")).has_value());
    QVERIFY(!::encodeToneIndex(-1).has_value());
    QVERIFY(!::encodeToneIndex(261).has_value());

    QCOMPARE(toneTableIndexOf(ToneCode{0xFF, 0xFF}), 0);
    QCOMPARE(toneTableIndexOf(ToneCode::fromValue(600)), -1); // typed, between table tones
    QCOMPARE(toneTableIndexOf(ToneCode{211, 0}), -1);
}

void TestCodecs::dtmfDigits_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("code");
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("9") << "9" << 9;
    QTest::newRow("0 is 10") << "0" << 10;
    QTest::newRow("*") << "*" << 11;
    QTest::newRow("#") << "#" << 12;
    QTest::newRow("A") << "A" << 13;
    QTest::newRow("b") << "b" << 14;
    QTest::newRow("C") << "C" << 15;
    QTest::newRow("D is 0") << "D" << 0;
    QTest::newRow("d is 0") << "d" << 0;
    QTest::newRow("E") << "E" << 255;
    QTest::newRow("e") << "e" << 255;
    QTest::newRow("F") << "F" << 255;
    QTest::newRow("f") << "f" << 255;
    QTest::newRow("space") << " " << 255;
}

void TestCodecs::dtmfDigits()
{
    QFETCH(QString, ch);
    QFETCH(int, code);
    QCOMPARE(int(dtmfDigitToCode(ch.at(0))), code);
    if (code != 255)
        QCOMPARE(dtmfCodeToDigit(code), ch.toUpper());
}

void TestCodecs::dtmfDecode()
{
    QCOMPARE(dtmfCodeToDigit(0), QStringLiteral("D"));
    QCOMPARE(dtmfCodeToDigit(10), QStringLiteral("0"));
    QCOMPARE(dtmfCodeToDigit(16), QString());
    QCOMPARE(dtmfCodeToDigit(255), QString());
    QCOMPARE(dtmfCodeToDigit(-1), QString());
    QCOMPARE(decodeDtmfDigits(QByteArray::fromHex("010a0b0cff00ff")), QStringLiteral("10*#D"));
}

void TestCodecs::hexDigits_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("code");
    QTest::newRow("0 is 0") << "0" << 0;
    QTest::newRow("9") << "9" << 9;
    QTest::newRow("A") << "A" << 10;
    QTest::newRow("D is 13") << "D" << 13;
    QTest::newRow("e") << "e" << 14;
    QTest::newRow("F") << "F" << 15;
    QTest::newRow("G") << "G" << 255;
    QTest::newRow("*") << "*" << 255;
    QTest::newRow("#") << "#" << 255;
}

void TestCodecs::hexDigits()
{
    QFETCH(QString, ch);
    QFETCH(int, code);
    QCOMPARE(int(hexDigitToCode(ch.at(0))), code);
    QCOMPARE(hexCodeToDigit(code), code == 255 ? QString() : ch.toUpper());
}

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
