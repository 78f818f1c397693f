#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "shell/imageinitialisation.h"

#include <QtTest>

namespace {

// Record row of channel n as hex, for whole-record comparisons.
QByteArray recordHex(const MemoryImage &image, int channel)
{
    return image.row(Area::Channels.firstRow + channel).toHex(' ');
}

void setRecord(MemoryImage &image, int channel, const char *hex)
{
    image.setRows(Area::Channels.firstRow + channel, QByteArray::fromHex(hex));
}

} // namespace

class TestChannelRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultChannelsBytes();
    void defaultChannelsShown();
    void startUpWritesDefaultChannels();
    void emptyChannelShowsNothing();
    void fieldDecoding_data();
    void fieldDecoding();
    void receiveOnlyChannel();
    void unknownToneCodesDoNotStopTheRow();
    void settersKeepForeignBits_data();
    void settersKeepForeignBits();
    void settersRefuseBadPositions();
    void createAndClear();
    void frequencySetters();
    void nameEncodingAndDisplay_data();
    void nameEncodingAndDisplay();
    void radioNameMapping_data();
    void radioNameMapping();
    void bandCheck_data();
    void bandCheck();
};

void TestChannelRecord::defaultChannelsBytes()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x11);
    defaultChannels(image);
    QCOMPARE(recordHex(image, 0), QByteArray("00 25 50 15 00 25 50 15 9e 02 9e 02 00 00 00 04"));
    QCOMPARE(recordHex(image, 1), QByteArray("00 00 61 13 00 00 61 13 e8 03 e8 03 00 00 00 04"));
    QCOMPARE(recordHex(image, 2), QByteArray("00 50 39 17 00 50 39 17 f9 04 f9 04 00 00 00 04"));
    QCOMPARE(recordHex(image, 3), QByteArray("00 25 00 40 00 25 00 40 f3 07 f3 07 00 00 00 04"));
    QCOMPARE(recordHex(image, 4), QByteArray("00 50 99 47 00 50 99 47 ff ff ff ff 00 00 00 04"));
    QCOMPARE(recordHex(image, 5), QByteArray("00 00 65 43 00 00 65 43 c7 09 c7 09 00 00 00 04"));
    QCOMPARE(recordHex(image, 6), QByteArray("00 00 55 15 00 00 55 15 d2 00 d2 00 00 00 00 04"));
    QCOMPARE(recordHex(image, 199), QByteArray("00 25 06 48 00 25 06 48 ff ff ff ff 00 00 00 04"));
    for (int channel = 7; channel <= 198; ++channel)
        QCOMPARE(image.row(channel), QByteArray(16, char(0xFF)));
    // Names and everything outside the channel area are left alone.
    QCOMPARE(image.row(Area::ChannelNames.firstRow), QByteArray(16, char(0x11)));
    QCOMPARE(image.row(Area::Unassigned1.firstRow), QByteArray(16, char(0x11)));
}

void TestChannelRecord::defaultChannelsShown()
{
    MemoryImage image;
    defaultChannels(image);
    const ChannelRecord ch4(image, 4);
    QCOMPARE(ch4.rxFrequencyText(), QStringLiteral("479.95000"));
    QCOMPARE(ch4.txFrequencyText(), QStringLiteral("479.95000"));
    QCOMPARE(ch4.rxToneText(), QStringLiteral("OFF"));
    QCOMPARE(ch4.txToneText(), QStringLiteral("OFF"));
    const ChannelRecord ch6(image, 6);
    QCOMPARE(ch6.rxFrequencyText(), QStringLiteral("155.50000"));
    QCOMPARE(ch6.rxToneText(), QStringLiteral("D754I"));
    QCOMPARE(ch6.txToneText(), QStringLiteral("D754I"));
    const ChannelRecord ch0(image, 0);
    QCOMPARE(ch0.bandText(), QStringLiteral("VHF/UHF "));
    QCOMPARE(ch0.rxToneText(), QStringLiteral("67.0"));
    QCOMPARE(ch0.powerText(), QStringLiteral("HIGH"));
    QCOMPARE(ch0.bandwidthText(), QStringLiteral("W"));
    QCOMPARE(ch0.scanAddText(), QStringLiteral("ON"));
    QCOMPARE(ch0.busyLockText(), QStringLiteral("OFF"));
    QCOMPARE(ch0.pttIdText(), QStringLiteral("OFF"));
    QCOMPARE(ch0.signalCodeText(), QStringLiteral("1"));
    QCOMPARE(ch0.optionalSignallingText(), QStringLiteral("OFF"));
    QCOMPARE(ch0.muteModeText(), QStringLiteral("QT"));
    QCOMPARE(ch0.scramblerText(), QStringLiteral("OFF"));
    QCOMPARE(ChannelRecord(image, 199).rxFrequencyText(), QStringLiteral("480.62500"));
    for (int channel = 7; channel <= 198; ++channel)
        QVERIFY(ChannelRecord(image, channel).isEmpty());
}

void TestChannelRecord::startUpWritesDefaultChannels()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x00);
    initialiseMemoryImage(image);
    MemoryImage expected;
    defaultChannels(expected);
    QCOMPARE(image.rows(Area::Channels.firstRow, Area::Channels.rowCount()),
             expected.rows(Area::Channels.firstRow, Area::Channels.rowCount()));
    QCOMPARE(image.row(Area::ChannelNames.firstRow), QByteArray(16, char(0xFF)));
}

void TestChannelRecord::emptyChannelShowsNothing()
{
    MemoryImage image;
    setRecord(image, 9, "ff255114002551149e02e803214d0c4d");
    const ChannelRecord ch(image, 9);
    QVERIFY(ch.isEmpty());
    for (const QString &text : {ch.bandText(), ch.rxFrequencyText(), ch.txFrequencyText(), ch.rxToneText(),
                                ch.txToneText(), ch.powerText(), ch.bandwidthText(), ch.pttIdText(),
                                ch.busyLockText(), ch.scanAddText(), ch.signalCodeText(),
                                ch.optionalSignallingText(), ch.muteModeText(), ch.scramblerText(), ch.nameText()})
        QCOMPARE(text, QString());
}

void TestChannelRecord::fieldDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes12to15");
    QTest::addColumn<QStringList>("shown"); // sig, opt, mute, power, scr, ptt, scan, busy, w/n
    QTest::newRow("new channel") << QByteArray("00000004")
                                 << QStringList{"1", "OFF", "QT", "HIGH", "OFF", "OFF", "ON", "OFF", "W"};
    QTest::newRow("0F empty sigcode") << QByteArray("0f000000")
                                      << QStringList{"", "OFF", "QT", "HIGH", "OFF", "OFF", "OFF", "OFF", "W"};
    QTest::newRow("sigcode 15 shown for 14")
        << QByteArray("fe000000") << QStringList{"15", "OFF", "QT", "HIGH", "OFF", "OFF", "OFF", "OFF", "W"};
    QTest::newRow("21 DTMF OR") << QByteArray("00210000")
                                << QStringList{"1", "DTMF", "OR", "HIGH", "OFF", "OFF", "OFF", "OFF", "W"};
    QTest::newRow("4D BOT ON ON N") << QByteArray("0000004d")
                                    << QStringList{"1", "OFF", "QT", "HIGH", "OFF", "BOT", "ON", "ON", "N"};
    QTest::newRow("out-of-list nibbles") << QByteArray("0034f2fb")
                                         << QStringList{"1", "", "", "HIGH", "", "BOTH", "OFF", "ON", "N"};
    QTest::newRow("5TONE AND LOW ON") << QByteArray("00131183")
                                      << QStringList{"1", "5TONE", "AND", "LOW", "ON", "BOTH", "OFF", "OFF", "W"};
    // Power reads three bits: only exactly 1 is LOW.
    QTest::newRow("power 5 is HIGH") << QByteArray("00000502")
                                     << QStringList{"1", "OFF", "QT", "HIGH", "OFF", "EOT", "OFF", "OFF", "W"};
    QTest::newRow("power 9 is LOW") << QByteArray("00000900")
                                    << QStringList{"1", "OFF", "QT", "LOW", "OFF", "OFF", "OFF", "OFF", "W"};
}

void TestChannelRecord::fieldDecoding()
{
    QFETCH(QByteArray, bytes12to15);
    QFETCH(QStringList, shown);
    MemoryImage image;
    image.setRows(20, QByteArray::fromHex("00255114002551140000000000000000"));
    const QByteArray tail = QByteArray::fromHex(bytes12to15);
    for (int i = 0; i < 4; ++i)
        image.setCell(20, 12 + i, uint8_t(tail[i]));
    const ChannelRecord ch(image, 20);
    const QStringList actual{ch.signalCodeText(), ch.optionalSignallingText(), ch.muteModeText(),
                             ch.powerText(),      ch.scramblerText(),          ch.pttIdText(),
                             ch.scanAddText(),    ch.busyLockText(),           ch.bandwidthText()};
    QCOMPARE(actual, shown);
}

void TestChannelRecord::receiveOnlyChannel()
{
    MemoryImage image;
    setRecord(image, 3, "00255114ff0000009e029e0200000004");
    const ChannelRecord ch(image, 3);
    QCOMPARE(ch.rxFrequencyText(), QStringLiteral("145.12500"));
    QVERIFY(!ch.hasTxFrequency());
    QCOMPARE(ch.txFrequencyText(), QString());
    QCOMPARE(ch.txToneText(), QString());
    QCOMPARE(ch.rxToneText(), QStringLiteral("67.0"));
}

void TestChannelRecord::unknownToneCodesDoNotStopTheRow()
{
    MemoryImage image;
    setRecord(image, 0, "0025511400255114d3000080000d0004");
    setRecord(image, 1, "00255114002551147503750300000004");
    const ChannelRecord bad(image, 0);
    QCOMPARE(bad.rxToneText(), QString());
    QCOMPARE(bad.txToneText(), QString());
    QCOMPARE(bad.optionalSignallingText(), QString());
    QCOMPARE(bad.rxFrequencyText(), QStringLiteral("145.12500"));
    QCOMPARE(ChannelRecord(image, 1).rxToneText(), QStringLiteral("88.5"));
}

void TestChannelRecord::settersKeepForeignBits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("from"); // bytes 12..15
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("power LOW") << "power" << 1 << QByteArray("fffffcff") << QByteArray("fffffdff");
    QTest::newRow("power HIGH") << "power" << 0 << QByteArray("ffffffff") << QByteArray("fffffcff");
    QTest::newRow("narrow") << "bandwidth" << 1 << QByteArray("00000000") << QByteArray("00000040");
    QTest::newRow("wide") << "bandwidth" << 0 << QByteArray("ffffffff") << QByteArray("ffffffbf");
    QTest::newRow("ptt BOTH") << "ptt" << 3 << QByteArray("000000f4") << QByteArray("000000f7");
    QTest::newRow("ptt OFF") << "ptt" << 0 << QByteArray("ffffffff") << QByteArray("fffffffc");
    QTest::newRow("busy ON") << "busy" << 1 << QByteArray("00000000") << QByteArray("00000008");
    QTest::newRow("busy OFF") << "busy" << 0 << QByteArray("ffffffff") << QByteArray("fffffff7");
    QTest::newRow("scan ON") << "scan" << 1 << QByteArray("00000000") << QByteArray("00000004");
    QTest::newRow("scan OFF") << "scan" << 0 << QByteArray("ffffffff") << QByteArray("fffffffb");
    QTest::newRow("sigcode 15") << "sigcode" << 14 << QByteArray("a0000000") << QByteArray("ae000000");
    QTest::newRow("sigcode 1") << "sigcode" << 0 << QByteArray("ffffffff") << QByteArray("f0ffffff");
    QTest::newRow("opt 2TONE") << "opt" << 2 << QByteArray("ffffffff") << QByteArray("fff2ffff");
    QTest::newRow("mute OR") << "mute" << 2 << QByteArray("ffffffff") << QByteArray("ff2fffff");
    QTest::newRow("scr ON") << "scr" << 1 << QByteArray("00000300") << QByteArray("00001300");
    QTest::newRow("scr OFF") << "scr" << 0 << QByteArray("ffffffff") << QByteArray("ffff0fff");
}

void TestChannelRecord::settersKeepForeignBits()
{
    QFETCH(QString, field);
    QFETCH(int, position);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    MemoryImage image;
    image.setRows(7, QByteArray::fromHex("00255114002551149e029e02") + QByteArray::fromHex(from));
    const QByteArray before = image.row(7);
    ChannelRecord ch(image, 7);
    bool ok = false;
    if (field == "power")
        ok = ch.setPowerPosition(position);
    else if (field == "bandwidth")
        ok = ch.setBandwidthPosition(position);
    else if (field == "ptt")
        ok = ch.setPttIdPosition(position);
    else if (field == "busy")
        ok = ch.setBusyLockPosition(position);
    else if (field == "scan")
        ok = ch.setScanAddPosition(position);
    else if (field == "sigcode")
        ok = ch.setSignalCodePosition(position);
    else if (field == "opt")
        ok = ch.setOptionalSignallingPosition(position);
    else if (field == "mute")
        ok = ch.setMuteModePosition(position);
    else if (field == "scr")
        ok = ch.setScramblerPosition(position);
    QVERIFY(ok);
    QCOMPARE(image.row(7).left(12), before.left(12));
    QCOMPARE(image.row(7).mid(12).toHex(), to);
}

void TestChannelRecord::settersRefuseBadPositions()
{
    MemoryImage image;
    defaultChannels(image);
    const MemoryImage before = image;
    ChannelRecord ch(image, 0);
    QVERIFY(!ch.setPowerPosition(2));
    QVERIFY(!ch.setBandwidthPosition(-1));
    QVERIFY(!ch.setPttIdPosition(4));
    QVERIFY(!ch.setBusyLockPosition(2));
    QVERIFY(!ch.setScanAddPosition(2));
    QVERIFY(!ch.setSignalCodePosition(15));
    QVERIFY(!ch.setOptionalSignallingPosition(4));
    QVERIFY(!ch.setMuteModePosition(3));
    QVERIFY(!ch.setScramblerPosition(2));
    QVERIFY(image == before);
}

void TestChannelRecord::createAndClear()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x5A);
    createChannel(image, 12);
    QCOMPARE(recordHex(image, 12), QByteArray("5a 5a 5a 5a 5a 5a 5a 5a 00 00 00 00 00 00 00 04"));
    QCOMPARE(image.row(Area::ChannelNames.firstRow + 12), QByteArray(16, char(0xFF)));
    QCOMPARE(image.row(11), QByteArray(16, char(0x5A)));
    QCOMPARE(image.row(Area::ChannelNames.firstRow + 13), QByteArray(16, char(0x5A)));

    clearChannel(image, 12);
    QCOMPARE(image.row(12), QByteArray(16, char(0xFF)));
    QCOMPARE(image.row(Area::ChannelNames.firstRow + 12), QByteArray(16, char(0xFF)));
    QCOMPARE(image.row(13), QByteArray(16, char(0x5A)));
}

void TestChannelRecord::frequencySetters()
{
    MemoryImage image;
    ChannelRecord ch(image, 30);
    QVERIFY(ch.setRxFrequency(QStringLiteral("145.1234")));
    QVERIFY(ch.setTxFrequency(QStringLiteral("145.1234")));
    ch.create();
    QCOMPARE(recordHex(image, 30), QByteArray("50 22 51 14 50 22 51 14 00 00 00 00 00 00 00 04"));
    QCOMPARE(ch.txFrequencyText(), QStringLiteral("145.12250"));

    ch.setRxTone(ToneCode{0x01, 0x00});
    ch.setTxTone(*encodeTypedCtcss(QStringLiteral("100")));
    QCOMPARE(ch.rxToneText(), QStringLiteral("D023N"));
    QCOMPARE(ch.txToneText(), QStringLiteral("100.0"));

    // A bad text changes nothing.
    const QByteArray before = image.row(30);
    QVERIFY(!ch.setTxFrequency(QStringLiteral("abc")));
    QCOMPARE(image.row(30), before);

    ch.clearTxFrequency();
    QCOMPARE(recordHex(image, 30), QByteArray("50 22 51 14 ff ff ff ff 01 00 ff ff 00 00 00 04"));
    QCOMPARE(ch.txFrequencyText(), QString());
}

void TestChannelRecord::nameEncodingAndDisplay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ab-1234") << "ab-1234" << "AB-123" << QByteArray("4142ff313233ffffffffffffffffffff") << "AB123";
    QTest::newRow("short") << " r1 " << "R1" << QByteArray("5231ffffffffffffffffffffffffffff") << "R1";
    QTest::newRow("empty") << "" << "" << QByteArray("ffffffffffffffffffffffffffffffff") << "";
    QTest::newRow("all dropped") << "+-*" << "+-*" << QByteArray("ffffffffffffffffffffffffffffffff") << "";
    QTest::newRow("full") << "ZZ9099" << "ZZ9099" << QByteArray("5a5a39303939ffffffffffffffffffff") << "ZZ9099";
}

void TestChannelRecord::nameEncodingAndDisplay()
{
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    MemoryImage image;
    image.fill(Area::ChannelNames.firstRow, Area::ChannelNames.lastRow, 0x00);
    defaultChannels(image);
    ChannelRecord ch(image, 5);
    QCOMPARE(ch.setName(typed), cell);
    QCOMPARE(image.row(ch.nameRow()).toHex(), stored);
    QCOMPARE(ch.nameText(), shown);
    // The neighbours' names stay as they were.
    QCOMPARE(image.row(ch.nameRow() + 1), QByteArray(16, char(0)));
}

void TestChannelRecord::radioNameMapping_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("ordinary");
    QTest::addColumn<QString>("radio");
    QTest::newRow("AB1 with a gap") << QByteArray("4142ff31ffff") << "AB1" << "AB1";
    QTest::newRow("lower case") << QByteArray("6162ffffffff") << "" << "ab";
    QTest::newRow("radio digits and letters") << QByteArray("000911252021") << "" << "09AUPQ";
    QTest::newRow("plus and minus") << QByteArray("fb41fd0afcfe") << "A" << "+A-";
    // A name whose byte 0 is empty is no name in every display.
    QTest::newRow("no name") << QByteArray("ff4142434445") << "" << "";
    QTest::newRow("typed -ab") << QByteArray("ff4142ffffff") << "" << "";
    QTest::newRow("0x30 and 0xFA") << QByteArray("30fa10262f00") << "0" << QString::fromLatin1("0\xFA") + "0";
}

void TestChannelRecord::radioNameMapping()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, ordinary);
    QFETCH(QString, radio);
    const QByteArray raw = QByteArray::fromHex(bytes);
    QCOMPARE(channelNameText(raw), ordinary);
    QCOMPARE(radioNameText(raw), radio);
}

void TestChannelRecord::bandCheck_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("expected");
    QTest::newRow("defaults pass") << -1 << QByteArray() << 255;
    QTest::newRow("channel 0 at 185") << 0 << QByteArray("00005018000050189e029e0200000004") << 0;
    QTest::newRow("channel 5 at 185") << 5 << QByteArray("00005018000050189e029e0200000004") << 5;
    QTest::newRow("transmit only out of band") << 42 << QByteArray("ffffffff000050189e029e0200000004") << 42;
    QTest::newRow("receive out, transmit unset") << 43 << QByteArray("00005018ffffffff9e029e0200000004") << 43;
    QTest::newRow("520.5 passes pre-write") << 44 << QByteArray("00500052005000529e029e0200000004") << 255;
    QTest::newRow("179.5 passes") << 45 << QByteArray("00509017005090179e029e0200000004") << 255;
    QTest::newRow("only byte 0 is FF still checked") << 46 << QByteArray("ff0000000025511400000000ffffffff") << 46;
    QTest::newRow("empty record skipped") << 47 << QByteArray("ffffffffffffffff9e029e0200000004") << 255;
}

void TestChannelRecord::bandCheck()
{
    QFETCH(int, channel);
    QFETCH(QByteArray, record);
    QFETCH(int, expected);
    MemoryImage image;
    defaultChannels(image);
    if (channel >= 0)
        setRecord(image, channel, record.constData());
    // A second failing channel further up must not hide the first.
    if (expected != 255)
        setRecord(image, 150, "00005018000050189e029e0200000004");
    QCOMPARE(channelBandCheck(image, BandLimits{130, 179, 400, 520}), expected);
}

QTEST_APPLESS_MAIN(TestChannelRecord)
#include "tst_channelrecord.moc"
