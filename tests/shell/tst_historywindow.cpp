// The history window over a radio history of its own: what it lists, Compare against the
// document, Restore as one undoable step with the data origin, a snapshot that could not
// be kept; and every way data is loaded takes its origin back on Undo.

#include "files/backups.h"
#include "files/filewindow.h"
#include "files/radiohistory.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "link/radioidentity.h"
#include "platform/messagebox.h"
#include "shell/backupactions.h"
#include "shell/compareview.h"
#include "shell/filemenudialog.h"
#include "shell/historywindow.h"
#include "support/testsupport.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString RadioA = QStringLiteral("ORV000000000000A");
const QString RadioB = QStringLiteral("ORV000000000000B");
const QDateTime T0(QDate(2026, 12, 10), QTime(10, 45, 0), Qt::UTC);

RadioIdentity radio(const QString &number)
{
    RadioIdentity id;
    id.number = number;
    id.modelName = QStringLiteral("OR-78V");
    return id;
}

QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

QString shown(const QDateTime &utc)
{
    return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestSupport::resetState(); }
    void cleanup() { TestSupport::endState(); }
    void listsComparesRestoresAndTellsFailures_data();
    void listsComparesRestoresAndTellsFailures();
    void undoTakesTheOriginBack_data();
    void undoTakesTheOriginBack();
};

void TestHistoryWindow::listsComparesRestoresAndTellsFailures_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English") << false;
    QTest::newRow("Chinese") << true;
}

void TestHistoryWindow::listsComparesRestoresAndTellsFailures()
{
    QFETCH(bool, chinese);
    TestSupport::TemporaryHome home;
    Language::setChinese(chinese);
    Document &document = Document::instance();
    document.initialise([](Document::Contents &c) { return c.image = MemoryImage(), c.origin = "ORV0000000000001", true; });

    MemoryImage read, written, other;
    read.setCell(3, 0, 0x45);   // channel data
    written = read;
    written.setCell(3, 1, 0x46);
    other.setCell(4, 0, 0x47);
    QVERIFY(RadioHistory::record(read, radio(RadioA), RadioHistory::Kind::Read, Area::BulkReadRows, T0).added);
    QVERIFY(RadioHistory::record(written, radio(RadioA), RadioHistory::Kind::Written, Area::BulkReadRows, T0.addSecs(60)).added);
    QVERIFY(RadioHistory::record(other, radio(RadioB), RadioHistory::Kind::Read, Area::BulkReadRows, T0.addSecs(30)).added);

    HistoryWindow window;
    QTreeWidget *list = window.list();
    // Radios by number, each with its snapshots newest first and their kind.
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(0), (chinese ? QStringLiteral("对讲机 %1（2）") : QStringLiteral("Radio %1 (2)")).arg(RadioA));
    QCOMPARE(list->topLevelItem(1)->text(0), (chinese ? QStringLiteral("对讲机 %1（1）") : QStringLiteral("Radio %1 (1)")).arg(RadioB));
    QTreeWidgetItem *a = list->topLevelItem(0);
    QCOMPARE(a->child(0)->text(0), shown(T0.addSecs(60)));
    QCOMPARE(a->child(0)->text(1), chinese ? QStringLiteral("写入后") : QStringLiteral("written"));
    QCOMPARE(a->child(1)->text(1), chinese ? QStringLiteral("读取") : QStringLiteral("read"));
    QCOMPARE(a->child(1)->text(2), QStringLiteral("OR-78V"));
    QVERIFY(!window.findChild<QLabel *>(QStringLiteral("Label_failure"))->isVisibleTo(&window));
    // A radio's own row is no snapshot.
    list->setCurrentItem(a);
    QVERIFY(!button(window, "Command_compare")->isEnabled());
    QVERIFY(!button(window, "Command_restore")->isEnabled());

    // Compare: the snapshot against the document with the changes window's words; the
    // document stays as it was.
    list->setCurrentItem(a->child(1));
    const Document::Contents before = document.contents();
    button(window, "Command_compare")->click();
    QCOMPARE(window.view()->differenceCount(), 1);
    const QString name = (chinese ? QStringLiteral("对讲机 %1（读取，%2）") : QStringLiteral("radio %1 (read, %2)"))
                             .arg(RadioA, shown(T0));
    QCOMPARE(window.view()->findChild<QLabel *>(QStringLiteral("Label_compare"))->text(),
             chinese ? QStringLiteral("从 本文档 到 %1：1 处差异").arg(name)
                     : QStringLiteral("From this document to %1: 1 difference").arg(name));
    QVERIFY(document.image() == before.image);

    // Restore: one step that takes the bytes and the radio; the comparison follows.
    const int steps = document.history().count();
    button(window, "Command_restore")->click();
    QVERIFY(document.image() == read);
    QCOMPARE(DataOrigin::number(), RadioA);
    QCOMPARE(document.history().count(), steps + 1);
    QCOMPARE(MessageBox::takeRecorded().size(), 1);
    QCOMPARE(window.view()->differenceCount(), 0);
    document.undo();
    QVERIFY(document.image() == before.image);
    QCOMPARE(document.contents().origin, before.origin);

    // A snapshot that cannot be kept is told here, in the window's language, and goes once
    // that radio's history is whole again.
    const QString root = Backups::folder();
    QVERIFY(QDir().rename(root, root + QStringLiteral(".moved")));
    QFile blocker(root);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!RadioHistory::record(other, radio(RadioA), RadioHistory::Kind::Read).result.ok);
    QLabel *failure = window.findChild<QLabel *>(QStringLiteral("Label_failure"));
    QVERIFY(failure->isVisibleTo(&window));
    QVERIFY2(failure->text().startsWith(chinese ? QStringLiteral("对讲机历史无法保存对讲机 %1 的内容：").arg(RadioA)
                                                : QStringLiteral("The radio history could not keep what radio %1 holds: ").arg(RadioA)),
             qPrintable(failure->text()));
    QVERIFY(QFile::remove(root));
    QVERIFY(QDir().rename(root + QStringLiteral(".moved"), root));
    HistoryWindow later;
    QVERIFY(later.findChild<QLabel *>(QStringLiteral("Label_failure"))->isVisibleTo(&later));
    QVERIFY(RadioHistory::record(other, radio(RadioA), RadioHistory::Kind::Read).added);
    QVERIFY(!failure->isVisibleTo(&window));
    QCOMPARE(list->topLevelItem(0)->childCount(), 3);
    QVERIFY(MessageBox::takeRecorded().isEmpty());
}

void TestHistoryWindow::undoTakesTheOriginBack_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("File > Open") << 0;
    QTest::newRow("history Restore") << 1;
    QTest::newRow("Other file...") << 2;
}

void TestHistoryWindow::undoTakesTheOriginBack()
{
    QFETCH(int, way);
    TestSupport::TemporaryHome home;
    Document &document = Document::instance();
    document.initialise([](Document::Contents &c) { return c.image = MemoryImage(), c.origin = "ORV0000000000001", true; });
    MemoryImage held;
    held.setCell(5, 2, 0x21);
    const RadioHistory::Recorded kept = RadioHistory::record(held, radio(RadioB), RadioHistory::Kind::Read);
    QVERIFY(kept.added);

    HistoryWindow window;
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return kept.path; });
    switch (way) {
    case 0: QVERIFY(FileWindow::loadDataFile(nullptr, kept.path)); break;
    case 1: button(window, "Command_restore")->click(); break;
    case 2: button(window, "Command_other")->click(); break;
    }
    FileMenuDialog::setChooser({});
    QVERIFY(document.image() == held);
    QCOMPARE(DataOrigin::number(), RadioB);
    document.undo();
    QVERIFY(document.image() == MemoryImage());
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV0000000000001"));
    document.redo();
    QCOMPARE(DataOrigin::number(), RadioB);
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
