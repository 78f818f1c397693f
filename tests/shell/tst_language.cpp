#include "texts/commontexts.h"
#include "texts/language.h"
#include "texts/languagetable.h"

#include <QtTest>

// The string table feeds lists whose positions are stored in the radio's memory, so the
// order and count of the entries matter as much as the words.
class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void init() { Language::setChinese(false); LanguageTable::rebuild(); }
    void tablesFollowTheFlag();
    void biTextReadsTheFlagWhenAsked();
    void blockCountersHaveNoPadding();
};

void TestLanguage::tablesFollowTheFlag()
{
    const LanguageTable en = LanguageTable::current();
    QCOMPARE(en.twoToneReplies,
             QStringList({"0.None", "1.Alert", "2.Transpond", "3.Alert+Transpond"}));
    QCOMPARE(en.fiveToneCallFunctions.size(), 9);
    QCOMPARE(en.fiveToneCallFunctions.at(4), QStringLiteral("4.Inspection "));
    QCOMPARE(en.fiveToneCallFunctions.at(8), QStringLiteral("8.Revive"));
    QCOMPARE(en.aboutOk, QStringLiteral("Confirm"));
    QCOMPARE(en.aboutSystemInfo, QStringLiteral("System Information(&S)..."));

    Language::setChinese(true);
    // Not rebuilt yet: the table keeps the language it was built in.
    QCOMPARE(LanguageTable::current().twoToneReplies.at(1), QStringLiteral("1.Alert"));
    LanguageTable::rebuild();
    const LanguageTable &zh = LanguageTable::current();
    QCOMPARE(zh.twoToneReplies, QStringList({"0.无", "1.提醒", "2.回复", "3.提醒并回"}));
    QCOMPARE(zh.fiveToneCallFunctions,
             QStringList({"0.通话", "1.主叫", "2.被叫", "3.监听", "4.巡查", "5.报警", "6.遥晕", "7.遥毙", "8.开机"}));
    QCOMPARE(zh.aboutOk, QStringLiteral("确定"));
    QCOMPARE(zh.aboutSystemInfo, QStringLiteral("系统信息(&S)..."));
    QVERIFY(!zh.aboutWarning.isEmpty() && zh.aboutWarning != en.aboutWarning);
}

void TestLanguage::biTextReadsTheFlagWhenAsked()
{
    const BiText t = CommonText::Busy;
    QCOMPARE(t.text(), QStringLiteral("Read-write operating with transceiver ."));
    Language::setChinese(true);
    QCOMPARE(t.text(), QStringLiteral("正在与对讲机进行读写操作 ！"));
    QCOMPARE(t.text(false), QStringLiteral("Read-write operating with transceiver ."));
}

void TestLanguage::blockCountersHaveNoPadding()
{
    QCOMPARE(CommonText::readingBlock(7), QStringLiteral("Reading 7 Data Block"));
    QCOMPARE(CommonText::writingBlock(123), QStringLiteral("Writing  123  Data Block"));
    Language::setChinese(true);
    QCOMPARE(CommonText::readingBlock(200), QStringLiteral("正在读取 200 数据块"));
    QCOMPARE(CommonText::writingBlock(0), QStringLiteral("正在写入  0  数据块"));
}

QTEST_APPLESS_MAIN(TestLanguage)
#include "tst_language.moc"
