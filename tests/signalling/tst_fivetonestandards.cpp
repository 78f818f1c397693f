#include "image/areamap.h"
#include "image/memoryimage.h"
#include "signalling/fivetonestandards.h"

#include <QtTest>

class TestFiveToneStandards : public QObject
{
    Q_OBJECT
private slots:
    void tableBytes_data();
    void tableBytes();
    void sixteenthRowsAreLeftAlone();
    void namesAndIndexes();
};

void TestFiveToneStandards::tableBytes_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("hz");
    QTest::addColumn<int>("period");
    QTest::newRow("CCIR1 0") << 0 << 0 << 1981 << 1163;
    QTest::newRow("CCIR1 A") << 0 << 10 << 2400 << 959;
    QTest::newRow("EURO A, no tone") << 11 << 10 << 0 << 0;
    // Fractional tones: the frequency loses its fraction, the period count uses all of it.
    QTest::newRow("EURO 0") << 11 << 0 << 979 << 2351;
    QTest::newRow("MODAT 3") << 14 << 3 << 1087 << 2118;
    QTest::newRow("PCCIR F, no tone") << 2 << 15 << 0 << 0;
    QTest::newRow("EIA E") << 10 << 14 << 459 << 5019;
}

void TestFiveToneStandards::tableBytes()
{
    QFETCH(int, standard);
    QFETCH(int, digit);
    QFETCH(int, hz);
    QFETCH(int, period);
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x77);
    FiveToneStandards::writeTables(image);
    const int offset = standard * 16 + digit;
    QCOMPARE(int(image.at(0x2000 + offset)), hz & 0xFF);
    QCOMPARE(int(image.at(0x2100 + offset)), hz >> 8);
    QCOMPARE(int(image.at(0x2200 + offset)), period & 0xFF);
    QCOMPARE(int(image.at(0x2300 + offset)), period >> 8);
}

void TestFiveToneStandards::sixteenthRowsAreLeftAlone()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x77);
    FiveToneStandards::writeTables(image);
    // CCIR1 digit 0 as the radio expects it: BD 07 and 8B 04.
    QCOMPARE(image.at(0x2000), uint8_t(0xBD));
    QCOMPARE(image.at(0x2100), uint8_t(0x07));
    QCOMPARE(image.at(0x2200), uint8_t(0x8B));
    QCOMPARE(image.at(0x2300), uint8_t(0x04));
    for (int block : {0x2000, 0x2100, 0x2200, 0x2300}) {
        QCOMPARE(image.rows(MemoryImage::rowOf(block) + 15, 1), QByteArray(16, char(0x77)));
    }
    QCOMPARE(image.row(Area::FiveToneStandards.firstRow - 1), QByteArray(16, char(0x77)));
    QCOMPARE(image.row(Area::FiveToneCodes.firstRow), QByteArray(16, char(0x77)));
}

void TestFiveToneStandards::namesAndIndexes()
{
    QCOMPARE(FiveToneStandards::name(0), QStringLiteral("CCIR1"));
    QCOMPARE(FiveToneStandards::name(8), QStringLiteral("PDZVEI"));
    QCOMPARE(FiveToneStandards::name(14), QStringLiteral("MODAT"));
    QCOMPARE(FiveToneStandards::name(15), QString());
    QCOMPARE(FiveToneStandards::name(-1), QString());
    QCOMPARE(FiveToneStandards::indexOf(QStringLiteral("EURO")), 11);
    QCOMPARE(FiveToneStandards::indexOf(QStringLiteral("euro")), 255);
    QCOMPARE(FiveToneStandards::indexOf(QStringLiteral("CCIR3")), 255);
}

QTEST_APPLESS_MAIN(TestFiveToneStandards)
#include "tst_fivetonestandards.moc"
