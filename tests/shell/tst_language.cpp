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
    Language::setChinese(true);
    // Not rebuilt yet: the table keeps the language it was built in.
    QCOMPARE(LanguageTable::current().twoToneReplies, en.twoToneReplies);
    LanguageTable::rebuild();
    const LanguageTable &zh = LanguageTable::current();
    // Positions are stored codes: both languages list the same number of entries.
    QCOMPARE(zh.twoToneReplies.size(), en.twoToneReplies.size());
    QCOMPARE(zh.fiveToneCallFunctions.size(), en.fiveToneCallFunctions.size());
    for (int i = 0; i < zh.twoToneReplies.size(); ++i)
        QVERIFY(zh.twoToneReplies.at(i) != en.twoToneReplies.at(i));
    QVERIFY(zh.aboutOk != en.aboutOk);
    QVERIFY(!zh.aboutWarning.isEmpty() && zh.aboutWarning != en.aboutWarning);
    Language::setChinese(false);
    LanguageTable::rebuild();
    QCOMPARE(LanguageTable::current().twoToneReplies, en.twoToneReplies);
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
