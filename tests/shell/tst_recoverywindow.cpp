// The recovery window over journals left by other runs: what each row says, Recover as
// one undoable step, Delete after asking, a refused journal loading nothing.

#include "files/journal.h"
#include "files/journalformat.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "platform/messagebox.h"
#include "shell/recoverywindow.h"
#include "support/testsupport.h"
#include "texts/language.h"

#include <QFile>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A run of its own: a document, a journal, some steps; killed (no end) unless `ends`.
QString leaveRun(const std::function<void(Document &)> &steps, bool ends)
{
    Document document;
    document.initialise([](Document::Contents &c) { return c.image.setAt(0, 1), true; });
    auto journal = std::make_unique<Journal>(document);
    if (!journal->start())
        return QString();
    steps(document);
    const QString path = journal->path();
    if (ends) {
        journal.reset();
    } else {
        // What a kill leaves: the records, no end, the lock gone with the process.
        journal->flush();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.close();
        journal.reset();
        QFile again(path);
        again.open(QIODevice::WriteOnly | QIODevice::Truncate);
        again.write(bytes);
    }
    QTest::qWait(2); // the next run starts later
    return path;
}

void cell(Document &d, int address, int value, const char *name)
{
    d.applyToImage({QString::fromLatin1(name), QStringLiteral("中文 ") + QString::fromLatin1(name)},
                   [=](MemoryImage &image) { return image.setAt(address, uint8_t(value)), true; });
}

QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

} // namespace

class TestRecoveryWindow : public QObject
{
    Q_OBJECT
private slots:
    void recoversDeletesAndRefuses_data();
    void recoversDeletesAndRefuses();
};

void TestRecoveryWindow::recoversDeletesAndRefuses_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English") << false;
    QTest::newRow("Chinese") << true;
}

void TestRecoveryWindow::recoversDeletesAndRefuses()
{
    QFETCH(bool, chinese);
    TestSupport::TemporaryHome home;
    MessageBox::startRecording();
    Language::setChinese(chinese);
    Document &document = Document::instance();
    document.initialise([](Document::Contents &c) { return c.image = MemoryImage(), c.origin.clear(), true; });

    const QString refused = leaveRun([](Document &d) { cell(d, 9, 9, "refused"); }, true);
    {
        QFile file(refused);
        file.open(QIODevice::ReadWrite);
        file.seek(8);
        file.write("\x63\0\0\0", 4);
    }
    const QString killed = leaveRun(
        [](Document &d) {
            cell(d, 0x10, 0x12, "channel 2 RX frequency");
            d.apply({QStringLiteral("Read from radio"), QStringLiteral("从对讲机读取数据")}, [](Document::Contents &c) {
                c.alignment[3] = 0x33;
                DataOrigin::set(c, QStringLiteral("ORV0000000000042"));
                return true;
            });
            cell(d, 0x20, 0x34, "channel 3 name");
            d.undo();
        },
        false);
    QVERIFY(!killed.isEmpty());

    RecoveryWindow window(Journal::defaultFolder(), QString());
    QTreeWidget *list = window.list();
    QCOMPARE(list->topLevelItemCount(), 2);
    // Newest first; the killed run says so, with its last steps newest first.
    QCOMPARE(window.runs().at(0).path, killed);
    QTreeWidgetItem *row = list->topLevelItem(0);
    QCOMPARE(row->text(2), QStringLiteral("4"));
    QCOMPARE(row->text(3), chinese ? QStringLiteral("撤销 中文 channel 3 name；中文 channel 3 name；从对讲机读取数据；"
                                                    "中文 channel 2 RX frequency")
                                   : QStringLiteral("Undo channel 3 name; channel 3 name; Read from radio; "
                                                    "channel 2 RX frequency"));
    QCOMPARE(row->text(4), chinese ? QStringLiteral("对讲机 ORV0000000000042") : QStringLiteral("radio ORV0000000000042"));
    QCOMPARE(row->text(5), chinese ? QStringLiteral("未正常结束") : QStringLiteral("did not end normally"));
    QVERIFY(list->topLevelItem(1)->text(5).contains(chinese ? QStringLiteral("另一版本") : QStringLiteral("another version")));

    // Recover: one step that takes the bytes and the origin; Undo takes them back.
    const Document::Contents before = document.contents();
    list->setCurrentItem(row);
    QVERIFY(button(window, "Command_recover")->isEnabled());
    button(window, "Command_recover")->click();
    QCOMPARE(document.image().at(0), uint8_t(1));
    QCOMPARE(document.image().at(0x10), uint8_t(0x12));
    QCOMPARE(document.image().at(0x20), uint8_t(MemoryImage().at(0x20)));
    QCOMPARE(document.alignment().at(3), char(0x33));
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV0000000000042"));
    QCOMPARE(MessageBox::takeRecorded().size(), 1);
    QVERIFY(list->topLevelItem(0)->text(5).contains(chinese ? QStringLiteral("与当前数据相同")
                                                            : QStringLiteral("same as the document")));
    document.undo();
    QVERIFY(document.image() == before.image);
    QCOMPARE(document.contents().origin, before.origin);
    QCOMPARE(document.alignment(), before.alignment);

    // Another format: Recover stays off and nothing is loaded.
    list->setCurrentItem(list->topLevelItem(1));
    QVERIFY(!button(window, "Command_recover")->isEnabled());

    // Delete asks; No keeps the journal, Yes removes it.
    MessageBox::setRecordedAnswer(false);
    button(window, "Command_delete")->click();
    QCOMPARE(MessageBox::takeRecorded().first().icon, MessageBox::Icon::Question);
    QVERIFY(QFile::exists(refused));
    MessageBox::setRecordedAnswer(true);
    button(window, "Command_delete")->click();
    QVERIFY(!QFile::exists(refused));
    QCOMPARE(list->topLevelItemCount(), 1);
    MessageBox::setRecordedAnswer(false);
    MessageBox::stopRecording();
    Language::setChinese(false);
}

QTEST_MAIN(TestRecoveryWindow)
#include "tst_recoverywindow.moc"
