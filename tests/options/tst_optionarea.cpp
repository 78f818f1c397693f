#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

void fillRandom(MemoryImage &image, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setAt(a, uint8_t(random.bounded(256)));
}

AreaView bandA(MemoryImage &image)
{
    return BandRecord::view(image, BandRecord::Band::A);
}

} // namespace

class TestOptionArea : public QObject
{
    Q_OBJECT
private slots:
    void defaultsByteForByte();
    void listDecode_data();
    void listDecode();
    void toneRule_data();
    void toneRule();
    void messageLines_data();
    void messageLines();
    void digitRowsAndAniChecks_data();
    void digitRowsAndAniChecks();
    void bandFrequencyAndOffset();
    void frequencyCheck_data();
    void frequencyCheck();
};

void TestOptionArea::defaultsByteForByte()
{
    for (quint32 seed : {1u, 2u, 3u}) {
        MemoryImage image;
        fillRandom(image, seed);
        const MemoryImage before = image;
        OptionArea::writeDefaults(image);

        // The option area as the defaults leave it; -1: the byte keeps its value.
        QVector<int> expected(256, -1);
        const QVector<QPair<int, int>> set = {
            {0x00, 1}, {0x01, 2}, {0x02, 5}, {0x03, 0}, {0x05, 5}, {0x06, 10}, {0x07, 0}, {0x08, 0}, {0x09, 1},
            {0x0A, 0}, {0x0B, 0}, {0x0C, 0}, {0x0D, 0}, {0x0E, 3}, {0x0F, 0}, {0x13, 0}, {0x14, 0}, {0x15, 0},
            {0x16, 0}, {0x17, 10}, {0x18, 0}, {0x19, 1}, {0x1A, 199}, {0x1B, 5}, {0x1D, 0}, {0x1E, 1}, {0x1F, 0},
            {0x20, 2}, {0x21, 3}, {0x22, 1}, {0x23, 2}, {0x24, 0}, {0x25, 0}, {0x26, 0}, {0x27, 0}, {0x28, 0},
            {0x2A, 0}, {0x2B, 0}, {0x2C, 0}, {0x84, 0x1F}, {0x85, 1},
        };
        for (const auto &p : set)
            expected[p.first] = p.second;
        const QByteArray tail = QByteArray("WELCOMTR7410") + QByteArray(4, char(0xFF))
                                + bytes({8, 0, 8, 0, 8}) + QByteArray(11, char(0xFF))
                                + bytes({1, 2, 3, 4, 5}) + QByteArray(11, char(0xFF))
                                + bytes({9, 8, 7, 6, 5}) + QByteArray(11, char(0xFF));
        QCOMPARE(tail.size(), 64);
        for (int i = 0; i < 64; ++i)
            expected[0xC0 + i] = uint8_t(tail.at(i));
        for (int off = 0; off < 256; ++off) {
            const int address = 0x0E00 + off;
            const int want = expected[off] < 0 ? before.at(address) : expected[off];
            QVERIFY2(image.at(address) == want, qPrintable(QStringLiteral("offset 0x%1").arg(off, 2, 16)));
        }

        const QByteArray a = bytes({1, 3, 6, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0}) + QByteArray(12, '\0');
        QByteArray b = bytes({4, 7, 0, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0}) + QByteArray(12, '\0');
        b[20] = 14;
        for (int i = 0; i < 32; ++i) {
            QCOMPARE(int(image.at(0x0F00 + i)), i < 28 ? int(uint8_t(a.at(i))) : int(before.at(0x0F00 + i)));
            QCOMPARE(int(image.at(0x0F20 + i)), i < 28 ? int(uint8_t(b.at(i))) : int(before.at(0x0F20 + i)));
        }
        // Nothing outside the two blocks.
        for (int address = 0; address < MemoryImage::Size; ++address) {
            if (address < 0x0E00 || address >= 0x0F40)
                QVERIFY(image.at(address) == before.at(address));
        }
        QCOMPARE(BandRecord::frequencyText(bandA(image)), QStringLiteral("136.02500"));
        QCOMPARE(BandRecord::frequencyText(BandRecord::view(image, BandRecord::Band::B)), QStringLiteral("470.62500"));
    }
}

void TestOptionArea::listDecode_data()
{
    QTest::addColumn<bool>("band");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tot first") << false << "timeOut" << 0 << false << "15";
    QTest::newRow("tot last") << false << "timeOut" << 39 << false << "600";
    QTest::newRow("tot erased") << false << "timeOut" << 0xFF << false << "600";
    QTest::newRow("alert off") << false << "timeOutAlert" << 0 << true << "关闭";
    QTest::newRow("abr off zh") << false << "backLightTime" << 0 << true << "关";
    QTest::newRow("abr 50") << false << "backLightTime" << 0xC8 << false << "50";
    QTest::newRow("dtmf-st off") << false << "dtmfSideTone" << 0 << false << "OFF All ";
    QTest::newRow("priority channel") << false << "priorityChannel" << 7 << false << "CH-007";
    QTest::newRow("alarm channel erased") << false << "alarmChannel" << 0xFF << false << "CH-199";
    QTest::newRow("display zh") << false << "displayB" << 2 << true << "信道名称+信道号";
    QTest::newRow("relay condition erased zh") << false << "relayCondition" << 0xFF << true << "DTMF";
    QTest::newRow("signal code") << true << "signalCode" << 14 << false << "15";
    QTest::newRow("speak mute zh") << true << "speakMute" << 1 << true << "哑音与可选信令";
    QTest::newRow("step erased") << true << "step" << 0xFF << false << "25.00 KHZ";
}

void TestOptionArea::listDecode()
{
    QFETCH(bool, band);
    QFETCH(QString, field);
    QFETCH(int, stored);
    QFETCH(bool, chinese);
    QFETCH(QString, shown);
    MemoryImage image;
    AreaView view = band ? bandA(image) : OptionArea::view(image);
    const FieldTable &table = band ? BandRecord::listFields() : OptionArea::listFields();
    const ListField *f = Fields::find(table, field.toLatin1().constData());
    QVERIFY(f);
    view.setByte(f->offset, uint8_t(stored));
    const MemoryImage before = image;
    QCOMPARE(Fields::decodeText(view, *f, chinese), shown);
    // Showing the last entry for a value beyond it leaves the byte alone.
    QVERIFY(image == before);
}

void TestOptionArea::toneRule_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("00 00") << 0x00 << 0x00 << 0 << "OFF";
    QTest::newRow("FF 00") << 0xFF << 0x00 << 0 << "OFF";
    QTest::newRow("12 FF") << 0x12 << 0xFF << 0 << "OFF";
    QTest::newRow("23rd DCS") << 0x17 << 0x00 << 73 << "D132N";
    QTest::newRow("67.0") << 0x9E << 0x02 << 1 << "67.0";
    QTest::newRow("88.5") << 0x75 << 0x03 << 9 << "88.5";
    QTest::newRow("between the tones") << 0xD2 << 0x04 << -1 << "123.4";
}

void TestOptionArea::toneRule()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, position);
    QFETCH(QString, text);
    MemoryImage image;
    AreaView record = bandA(image);
    record.setBytes(BandRecord::Offset::txTone, bytes({low, high}));
    QCOMPARE(BandRecord::tonePosition(record, BandRecord::Offset::txTone), position);
    QCOMPARE(BandRecord::toneText(record, BandRecord::Offset::txTone), text);
    if (position < 0)
        return;
    QCOMPARE(BandRecord::toneEntries(false).at(position), text);
    // Choosing the entry stores its canonical code (off as 00 00).
    BandRecord::setTonePosition(record, BandRecord::Offset::rxTone, position);
    const QByteArray stored = record.bytes(BandRecord::Offset::rxTone, 2);
    QCOMPARE(stored, position == 0 ? bytes({0, 0}) : bytes({low, high}));
    QCOMPARE(BandRecord::toneEntries(true).at(0), QStringLiteral("关"));
    QCOMPARE(BandRecord::toneEntries(false).size(), 261);
}

void TestOptionArea::messageLines_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two letters") << "ab" << bytes({0x20, 0x20, 0x41, 0x42, 0x20, 0x20}) << "AB";
    QTest::newRow("inner space") << "AB CDE" << QByteArray("AB CDE") << "AB CDE";
    QTest::newRow("five") << " a-1+ " << bytes({0x20, 'A', '-', '1', '+', 0x20}) << "A-1+";
    QTest::newRow("odd character") << "x!y" << bytes({0x20, 'X', 0x0B, 'Y', 0x20, 0x20}) << "XY";
    QTest::newRow("too long") << "abcdefgh" << QByteArray("ABCDEF") << "ABCDEF";
    QTest::newRow("empty") << "" << QByteArray(6, ' ') << "";
}

void TestOptionArea::messageLines()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    MemoryImage image;
    AreaView area = OptionArea::view(image);
    const QByteArray around = area.bytes(OptionArea::Offset::messageUpper, 18);
    OptionArea::setMessageLine(area, OptionArea::Offset::messageLower, typed);
    QCOMPARE(area.bytes(OptionArea::Offset::messageLower, 6), stored);
    QCOMPARE(area.bytes(OptionArea::Offset::messageUpper, 6), around.left(6));
    QCOMPARE(area.bytes(0xCC, 6), around.mid(12, 6));
    QCOMPARE(OptionArea::messageLine(area, OptionArea::Offset::messageLower), shown);
    // Erased bytes and the odd-character code show as nothing.
    QCOMPARE(OptionArea::messageLine(area, OptionArea::Offset::messageUpper), QString());
}

void TestOptionArea::digitRowsAndAniChecks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("check");
    const auto row = [](std::initializer_list<int> codes) { return (bytes(codes) + QByteArray(16, char(0xFF))).left(16); };
    using C = OptionArea::AniCheck;
    QTest::newRow("two digits") << "12" << row({1, 2}) << int(C::Length);
    QTest::newRow("six digits") << "123456" << row({1, 2, 3, 4, 5, 6}) << int(C::Length);
    QTest::newRow("00123") << "00123" << row({10, 10, 1, 2, 3}) << int(C::Passed);
    QTest::newRow("trimmed") << " 999 " << row({9, 9, 9}) << int(C::Passed);
    QTest::newRow("letters above 99999") << "abc" << row({13, 14, 15}) << int(C::Range);
    QTest::newRow("star below 00000") << "*#1" << row({11, 12, 1}) << int(C::Range);
    QTest::newRow("not a digit") << "1e2" << row({1, 0xFF, 2}) << int(C::Passed);
    QTest::newRow("sixteen") << "1234567890*#ABCD" << row({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}) << int(C::Length);
}

void TestOptionArea::digitRowsAndAniChecks()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(int, check);
    MemoryImage image;
    fillRandom(image, 7);
    AreaView area = OptionArea::view(image);
    const QByteArray next = area.bytes(OptionArea::Offset::pttIdBegin, 16);
    OptionArea::setDigitRow(area, OptionArea::Offset::ani, typed);
    QCOMPARE(area.bytes(OptionArea::Offset::ani, 16), stored);
    QCOMPARE(area.bytes(OptionArea::Offset::pttIdBegin, 16), next);
    QCOMPARE(int(OptionArea::checkAni(typed)), check);
    QString shown = typed.trimmed().toUpper();
    shown.remove(QLatin1Char('E'));
    QCOMPARE(OptionArea::digitRow(area, OptionArea::Offset::ani), shown);
}

void TestOptionArea::bandFrequencyAndOffset()
{
    MemoryImage image;
    OptionArea::writeDefaults(image);
    AreaView a = bandA(image);
    AreaView b = BandRecord::view(image, BandRecord::Band::B);
    QVERIFY(BandRecord::isVhf(a));
    QVERIFY(!BandRecord::isVhf(b));
    // 10.655 MHz lies between two steps; 1.625 MHz is a tie and goes to the even step.
    QCOMPARE(BandRecord::offsetEntries().at(BandRecord::offsetPosition(a)), QStringLiteral("10.650MHZ"));
    QCOMPARE(BandRecord::offsetEntries().at(BandRecord::offsetPosition(b)), QStringLiteral("01.600MHZ"));
    QCOMPARE(BandRecord::offsetEntries().size(), 2000);
    QCOMPARE(BandRecord::offsetEntries().first(), QStringLiteral("00.000MHZ"));
    QCOMPARE(BandRecord::offsetEntries().last(), QStringLiteral("99.950MHZ"));

    BandRecord::setOffsetPosition(a, 1999);
    QCOMPARE(a.bytes(8, 8), bytes({0, 9, 9, 9, 5, 0, 0, 0}));
    QCOMPARE(BandRecord::offsetPosition(a), 1999);
    BandRecord::setOffsetPosition(a, 13);
    QCOMPARE(a.bytes(8, 6), bytes({0, 0, 0, 6, 5, 0}));

    // Erased: no digits, UHF, the last offset.
    a.fill(0, 32, 0xFF);
    QCOMPARE(BandRecord::frequencyText(a), QStringLiteral("."));
    QVERIFY(!BandRecord::isVhf(a));
    QCOMPARE(BandRecord::offsetPosition(a), 1999);
    a.setBytes(0, bytes({1, 4, 5, 10, 0, 0, 12, 0}));
    QCOMPARE(BandRecord::frequencyText(a), QStringLiteral("145.000"));
    QVERIFY(BandRecord::storeFrequency(a, QStringLiteral("88.50000")));
    QCOMPARE(a.bytes(0, 9), bytes({0, 8, 8, 5, 0, 0, 0, 0, 0xFF}));
    QCOMPARE(BandRecord::rangeText({136, 174}), QStringLiteral("136 - 174.9950"));
}

void TestOptionArea::frequencyCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("outOfRange");
    QTest::newRow("whole") << "145" << 130 << 179 << "145.00000" << false;
    QTest::newRow("half step") << "136.0125" << 130 << 179 << "136.01250" << false;
    QTest::newRow("quarter step kept") << "136.00625" << 130 << 179 << "136.00625" << false;
    QTest::newRow("just below a quarter") << "136.00624" << 130 << 179 << "136.00600" << false;
    QTest::newRow("three quarters") << "136.0008" << 130 << 179 << "136.00075" << false;
    QTest::newRow("upper limit itself") << "179" << 130 << 179 << "179.00000" << false;
    QTest::newRow("below") << "100" << 130 << 179 << "130.02500" << true;
    QTest::newRow("above") << "179.1" << 130 << 179 << "178.62500" << true;
    QTest::newRow("empty") << "" << 400 << 480 << "400.02500" << true;
    QTest::newRow("dot only") << "." << 400 << 480 << "400.02500" << true;
    QTest::newRow("second dot ignored") << "450.1.2" << 400 << 480 << "450.10000" << false;
}

void TestOptionArea::frequencyCheck()
{
    QFETCH(QString, typed);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, result);
    QFETCH(bool, outOfRange);
    const BandRecord::CheckedFrequency checked = BandRecord::checkFrequency(typed, {lower, upper});
    QCOMPARE(checked.text, result);
    QCOMPARE(checked.outOfRange, outOfRange);
    // Choosing a band keeps a frequency whose whole MHz lies inside it.
    const qint64 mhz = BandRecord::typedValue(typed) / 100000000;
    const QString forBand = BandRecord::frequencyForBand(typed, {lower, upper});
    QCOMPARE(forBand, mhz >= lower && mhz < upper ? typed : QStringLiteral("%1.02500").arg(lower));
}

QTEST_APPLESS_MAIN(TestOptionArea)
#include "tst_optionarea.moc"
