#include "support/radiofixture.h"
#include "support/testsupport.h"
#include "channels/channeleditor.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "platform/screen.h"
#include "texts/language.h"
#include "shell/mainwindow.h"
#include "shell/channelcsvactions.h"
#include "shell/configactions.h"
#include "shell/backupactions.h"
#include "shell/filemenudialog.h"
#include "files/backups.h"
#include "image/dataorigin.h"
#include "channels/channelcsv.h"
#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTemporaryDir>
#include "files/journal.h"
#include "shell/recoverywindow.h"

#include <QtTest>
#include <memory>

namespace {
const char *AdviceText = "建议将计算机的显示模式设置为 1024 X 768 ";

int adviceCount()
{
    int n = 0;
    for (const MessageBox::Record &r : MessageBox::recorded()) {
        if (r.text == QString::fromUtf8(AdviceText)) {
            ++n;
            if (r.title != QStringLiteral("操作提示") || r.icon != MessageBox::Icon::Warning)
                return -1;
        }
    }
    return n;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuCaptionsInBothLanguages_data();
    void menuCaptionsInBothLanguages();
    void menuKeys_data();
    void menuKeys();
    void statusLabelsTitleAndCheckMarks();
    void choosingTheActiveLanguageChangesNothingElse();
    void toolbarCarriesItsKeysAndImages();
    void statusPanelWidthsAreSharesOfTheScreen();
    void screenAdviceBelow1024x768_data();
    void screenAdviceBelow1024x768();
    void newDoesNothing();
    void startUpLoadsTheOptionsEditor();
    void eachChildExistsOnce();
    void exitAsksNothing();
    void openChildKeepsItsLanguageButMessagesFollowTheFlag();
    void fmEntryClosesTheChannelEditor();
    void exitRefusedWhileAnEditorTalksToTheRadio();
    void channelCsvFromTheFileMenu();
    void restoreBackupIsAnUndoableLoad();
    void recoverEntryFollowsTheJournals();
    void editMenuUndoesOneStepAtATime();
    void configurationFromTheFileMenu();
    void theWindowInFrontComesBackAfterAFileWindow();
    void statusLinesReadOutTheirText();

private:
    std::unique_ptr<MainWindow> m_window;
    // No COM links: the start-up scan must not find whatever the machine has.
    QTemporaryDir m_noLinks;
};

void TestMainWindow::init()
{
    TestSupport::resetState();
    PortNames::setLinkFolder(m_noLinks.path());
    Screen::overrideSizeTwips(QSize(1280 * 15, 1024 * 15));
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    Screen::clearOverride();
    MessageBox::stopRecording();
    PortNames::resetLinkFolder();
}

void TestMainWindow::menuCaptionsInBothLanguages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    const char *rows[][3] = {
        {"File", "File", "文件"},
        {"File_New", "New", "新建"},
        {"File_Open", "Open", "打开"},
        {"File_save", "Save", "保存"},
        {"File_saveas", "Save As", "另存为"},
        {"File_import_csv", "Import channels (CSV)...", "导入信道 (CSV)..."},
        {"File_export_csv", "Export channels (CSV)...", "导出信道 (CSV)..."},
        {"File_export_config", "Export configuration...", "导出配置..."},
        {"File_import_config", "Import configuration...", "导入配置..."},
        {"File_merge", "Merge channels from file...", "从文件合并信道..."},
        {"File_import_repeaters", "Import repeater list...", "导入中继台列表..."},
        {"File_compare", "Compare with file...", "与文件比较..."},
        {"File_restore_backup", "Restore backup...", "恢复备份..."},
        {"File_recover", "Recover unsaved work...", "恢复未保存的编辑..."},
        {"File_recent", "Recent files", "最近的文件"},
        {"File_exit", "Exit", "退出"},
        {"Edit", "Edit", "编辑"},
        {"Edit_undo", "Undo", "撤销"},
        {"Edit_redo", "Redo", "重做"},
        {"fm_chann_edit", "FM-Radio", "FM-频道"},
        {"chann_edit", "Channel", "信道编辑"},
        {"sys_edit", "Option", "可选参数"},
        {"sig_edit", "Signal", "信令编辑"},
        {"Sig_dtmf", "DTMF", "DTMF"},
        {"Sig_2tone", "2 TONE", "2 TONE"},
        {"Sig_5tone", "5 TONE", "5 TONE"},
        {"frm_adj", "Adjust", "调整参数"},
        {"Program", "Program", "编程"},
        {"Prog_read", "Read from radio", "从对讲机读取数据"},
        {"Prog_write", "Write to radio", "向对讲机写入数据"},
        {"Prog_write_changes", "Write changes to radio...", "写入改动到对讲机..."},
        {"proc_setup", "Communication", "端口设置"},
        {"Language_Setup", "Language", "语言"},
        {"Language_chn", "中文", "中文"},
        {"Language_eng", "English", "English"},
        {"about", "About", "关于"},
        {"Menu_Exit", "Exit", "退出"},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
}

void TestMainWindow::menuCaptionsInBothLanguages()
{
    QFETCH(QString, name);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QAction *action = m_window->menuAction(name);
    QVERIFY2(action, qPrintable(name));
    // What the menu shows: an English entry of the bar may mark its Alt letter ("&File").
    const auto shown = [action] { return QString(action->text()).remove(QLatin1Char('&')); };
    QCOMPARE(shown(), english);
    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(action->text(), chinese); // nothing added to a Chinese caption
    m_window->menuAction(QStringLiteral("Language_eng"))->trigger();
    QCOMPARE(shown(), english);
}

void TestMainWindow::menuKeys_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English") << false;
    QTest::newRow("Chinese") << true;
}

void TestMainWindow::menuKeys()
{
    QFETCH(bool, chinese);
    m_window->menuAction(QString::fromLatin1(chinese ? "Language_chn" : "Language_eng"))->trigger();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    QTest::keyClick(m_window.get(), Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(m_window->child(QStringLiteral("Form_open_chann")));
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(m_window->child(QStringLiteral("Form_save_chann")));

    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QMenu *file = m_window->menuAction(QStringLiteral("File"))->menu();
    QTRY_VERIFY(file->isVisible());
    file->close();
    QTest::keyClick(m_window.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(m_window->child(QStringLiteral("frm_chann")));
}

void TestMainWindow::statusLabelsTitleAndCheckMarks()
{
    auto labels = [this] {
        QStringList l;
        for (int p : {1, 3, 5, 7, 9})
            l << m_window->statusPanel(p)->text();
        return l;
    };
    QCOMPARE(labels(), QStringList({"Model:", "S I M:", "MCU-Version:", "Band-A", "Band-B"}));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvane Series Program Software."));
    QVERIFY(m_window->menuAction(QStringLiteral("Language_eng"))->isChecked());
    QVERIFY(!m_window->menuAction(QStringLiteral("Language_chn"))->isChecked());

    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QVERIFY(Language::isChinese());
    QCOMPARE(labels(), QStringList({"机  型:", "序列号:", "固体版本:", "频段-A", "频段-B"}));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvane 双段车载电台编程软件"));
    QVERIFY(m_window->menuAction(QStringLiteral("Language_chn"))->isChecked());
    QVERIFY(!m_window->menuAction(QStringLiteral("Language_eng"))->isChecked());
    QCOMPARE(m_window->statusPanel(11)->text(), QString());
}

void TestMainWindow::choosingTheActiveLanguageChangesNothingElse()
{
    m_window->statusPanel(2)->setText(QStringLiteral("TR7410"));
    m_window->statusPanel(8)->setText(QStringLiteral("136--174 MHZ"));
    TestSupport::image().setCell(5, 5, 0x42);
    const QByteArray before = TestSupport::image().rows(0, MemoryImage::Rows);
    // Start-up leaves the optional-features editor open.
    const int children = m_window->mdiArea()->subWindowList().size() + 1;
    auto *child = new QWidget;
    child->setWindowTitle(QStringLiteral("Child"));
    m_window->showChild(QStringLiteral("frm_test"), [child] { return child; });

    m_window->menuAction(QStringLiteral("Language_eng"))->trigger();
    QVERIFY(!Language::isChinese());
    QCOMPARE(m_window->statusPanel(2)->text(), QStringLiteral("TR7410"));
    QCOMPARE(m_window->statusPanel(8)->text(), QStringLiteral("136--174 MHZ"));
    QCOMPARE(m_window->statusPanel(3)->text(), QStringLiteral("S I M:"));
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), before);
    QCOMPARE(m_window->mdiArea()->subWindowList().size(), children);
    QCOMPARE(child->windowTitle(), QStringLiteral("Child"));

    // A switch relabels the frame only; values in the even panels stay as they are.
    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(m_window->statusPanel(2)->text(), QStringLiteral("TR7410"));
    QCOMPARE(child->windowTitle(), QStringLiteral("Child"));
    QCOMPARE(m_window->mdiArea()->subWindowList().size(), children);
}

void TestMainWindow::toolbarCarriesItsKeysAndImages()
{
    auto *bar = m_window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QVERIFY(bar);
    QStringList keys;
    for (QAction *a : bar->actions()) {
        if (a->isSeparator())
            continue;
        keys << a->objectName();
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        QVERIFY(!a->icon().pixmap(32, 32).toImage().isNull());
    }
    QCOMPARE(keys, QStringList({"open", "save", "edit_option", "edit_chann", "edit_dtmf", "read", "write", "exit"}));
    QVERIFY(m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1")));
}

void TestMainWindow::statusPanelWidthsAreSharesOfTheScreen()
{
    m_window.reset();
    Screen::overrideSizeTwips(QSize(15300, 11500)); // 1020 x 766 pixels
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
    const int expected[] = {40, 61, 51, 153, 81, 71, 51, 102, 51, 102, 255};
    for (int p = 1; p < MainWindow::PanelCount; ++p)
        QCOMPARE(m_window->statusPanel(p)->width(), expected[p - 1]);
    // The last panel gives up what the bar's margins and gaps take, so the whole bar fits
    // the screen's width.
    QStatusBar *bar = m_window->statusBar();
    QVERIFY(m_window->statusPanel(11)->width() < 255);
    QVERIFY(m_window->statusPanel(11)->width() > 150);
    QVERIFY(bar->sizeHint().width() <= 1020);
}

void TestMainWindow::screenAdviceBelow1024x768_data()
{
    QTest::addColumn<QSize>("twips");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("advice");
    QTest::newRow("exactly the minimum") << QSize(15300, 11500) << false << 0;
    QTest::newRow("one twip narrower") << QSize(15299, 11500) << false << 1;
    QTest::newRow("one twip lower") << QSize(15300, 11499) << false << 1;
    QTest::newRow("one twip lower, chinese before start") << QSize(15300, 11499) << true << 1;
    QTest::newRow("large") << QSize(28800, 16200) << false << 0;
}

void TestMainWindow::screenAdviceBelow1024x768()
{
    QFETCH(QSize, twips);
    QFETCH(bool, chinese);
    QFETCH(int, advice);
    m_window.reset();
    MessageBox::startRecording();
    Screen::overrideSizeTwips(twips);
    Language::setChinese(chinese);
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
    QCOMPARE(adviceCount(), advice);
}

void TestMainWindow::newDoesNothing()
{
    TestSupport::image().setCell(17, 3, 0x12);
    const QByteArray before = TestSupport::image().rows(0, MemoryImage::Rows);
    const int messages = MessageBox::recorded().size();
    const auto children = m_window->mdiArea()->subWindowList();
    m_window->menuAction(QStringLiteral("File_New"))->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), before);
    QCOMPARE(MessageBox::recorded().size(), messages);
    QCOMPARE(m_window->mdiArea()->subWindowList(), children);
}

void TestMainWindow::startUpLoadsTheOptionsEditor()
{
    const auto children = m_window->mdiArea()->subWindowList();
    QCOMPARE(children.size(), 1);
    QWidget *editor = children.first()->widget();
    QCOMPARE(editor->objectName(), QStringLiteral("frm_option"));
    QVERIFY(children.first()->isVisibleTo(m_window.get()));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Optional Features"));
    // The menu entry and the toolbar button bring the same window back.
    m_window->showChild(QStringLiteral("frm_test"), [] { return new QWidget; });
    m_window->menuAction(QStringLiteral("sys_edit"))->trigger();
    QCOMPARE(m_window->mdiArea()->activeSubWindow(), children.first());
    m_window->showChild(QStringLiteral("frm_test"), [] { return new QWidget; });
    m_window->toolbarAction(QStringLiteral("edit_option"))->trigger();
    QCOMPARE(m_window->mdiArea()->activeSubWindow(), children.first());
    QCOMPARE(m_window->mdiArea()->subWindowList().size(), 2);
}

void TestMainWindow::eachChildExistsOnce()
{
    // Start-up leaves the optional-features editor open.
    const int children = m_window->mdiArea()->subWindowList().size() + 2;
    int made = 0;
    auto make = [&made] {
        ++made;
        return new QWidget;
    };
    QMdiSubWindow *first = m_window->showChild(QStringLiteral("frm_x"), make);
    auto *other = m_window->showChild(QStringLiteral("frm_y"), make);
    QCOMPARE(m_window->mdiArea()->activeSubWindow(), other);
    QMdiSubWindow *again = m_window->showChild(QStringLiteral("frm_x"), make);
    QCOMPARE(again, first);
    QCOMPARE(made, 2);
    QCOMPARE(m_window->mdiArea()->subWindowList().size(), children);
    QCOMPARE(m_window->mdiArea()->activeSubWindow(), first);

    QVERIFY(m_window->closeChild(QStringLiteral("frm_x")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window->child(QStringLiteral("frm_x")));
    m_window->showChild(QStringLiteral("frm_x"), make);
    QCOMPARE(made, 3);
}

void TestMainWindow::exitAsksNothing()
{
    for (const char *name : {"File_exit", "Menu_Exit"}) {
        m_window->show();
        const int messages = MessageBox::recorded().size();
        m_window->menuAction(QString::fromLatin1(name))->trigger();
        QVERIFY2(!m_window->isVisible(), name);
        QCOMPARE(MessageBox::recorded().size(), messages);
    }
    m_window->show();
    m_window->showChild(QStringLiteral("frm_chann"), [] { return new QWidget; });
    m_window->toolbarAction(QStringLiteral("exit"))->trigger();
    QVERIFY(!m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window->child(QStringLiteral("frm_chann")));
}

void TestMainWindow::openChildKeepsItsLanguageButMessagesFollowTheFlag()
{
    m_window->menuAction(QStringLiteral("chann_edit"))->trigger();
    auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Channel Information"));

    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvane 双段车载电台编程软件"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Channel Information"));
    QCOMPARE(editor->findChild<QPushButton *>(QStringLiteral("Command_write"))->text(), QStringLiteral("Write"));

    // Channel 5 at 185 MHz: the editor refuses to write, in the language of the moment.
    MessageBox::takeRecorded();
    TestSupport::image().setRows(Area::Channels.firstRow + 5,
                                    QByteArray("\x00\x00\x50\x18\x00\x00\x50\x18\x00\x00\x00\x00\x00\x00\x00\x04", 16));
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command_write")), Qt::LeftButton);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("操作提示"));
    QCOMPARE(records.at(0).text, QStringLiteral("信道 5 中的接收或发射频率超出频率限制范围"));

    // Reopened, it takes the new language.
    QVERIFY(m_window->closeChild(QStringLiteral("frm_chann")));
    m_window->menuAction(QStringLiteral("chann_edit"))->trigger();
    QCOMPARE(m_window->child(QStringLiteral("frm_chann"))->windowTitle(), QStringLiteral("信道参数编辑"));
}

void TestMainWindow::fmEntryClosesTheChannelEditor()
{
    m_window->menuAction(QStringLiteral("chann_edit"))->trigger();
    QVERIFY(m_window->child(QStringLiteral("frm_chann")));
    m_window->menuAction(QStringLiteral("fm_chann_edit"))->trigger();
    QVERIFY(!m_window->child(QStringLiteral("frm_chann")));
    QVERIFY(m_window->child(QStringLiteral("frm_FM")));
}

void TestMainWindow::exitRefusedWhileAnEditorTalksToTheRadio()
{
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    vradio::Faults silent;
    silent.silent = true;
    radio.radio().setFaults(silent);
    m_window->show();
    m_window->menuAction(QStringLiteral("File_Open"))->trigger();
    m_window->menuAction(QStringLiteral("chann_edit"))->trigger();
    auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
    QVERIFY(editor);
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command_read")), Qt::LeftButton);
    QVERIFY(editor->isBusy());
    MessageBox::takeRecorded();

    m_window->menuAction(QStringLiteral("File_exit"))->trigger();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Read-write operating，don't close the window.,"}));
    QVERIFY(m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Nothing else was closed either.
    QVERIFY(m_window->child(QStringLiteral("Form_open_chann")));
    QVERIFY(m_window->child(QStringLiteral("frm_chann")));
    editor->engine().stop();
    m_window->menuAction(QStringLiteral("File_exit"))->trigger();
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::channelCsvFromTheFileMenu()
{
    QTemporaryDir dir;
    QString chosen;
    bool askedToSave = false;
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &ask) {
        askedToSave = ask.save;
        return chosen;
    });
    MemoryImage &image = TestSupport::image();
    m_window->showChannelEditor();
    auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
    QVERIFY(editor);
    MessageBox::takeRecorded();

    // Export: the start-up default channels, as the model writes them.
    chosen = dir.filePath(QStringLiteral("plan.csv"));
    m_window->menuAction(QStringLiteral("File_export_csv"))->trigger();
    QVERIFY(askedToSave);
    QFile exported(chosen);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), ChannelCsv::write(image));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList{QStringLiteral("Exported 8 channels to %1.").arg(chosen)});

    // Cancel does nothing at all.
    chosen.clear();
    const QByteArray before = image.rows(0, MemoryImage::Rows);
    m_window->menuAction(QStringLiteral("File_import_csv"))->trigger();
    QVERIFY(!askedToSave);
    QVERIFY(MessageBox::takeRecorded().isEmpty());

    // A bad row: one message, nothing changes.
    auto write = [&](const QByteArray &text) {
        chosen = dir.filePath(QStringLiteral("in.csv"));
        QFile f(chosen);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    write("Location,Frequency,Name\n20,145.5,OK\n21,999,BAD\n");
    m_window->menuAction(QStringLiteral("File_import_csv"))->trigger();
    const auto refused = MessageBox::takeRecorded();
    QCOMPARE(refused.size(), 1);
    QCOMPARE(refused.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(refused.at(0).text, QStringLiteral("No channel was imported: 1 rows are not valid.\n"
                                                "Line 3, column Frequency, value \"999\": Over the range of receive frequency ."));
    QCOMPARE(image.rows(0, MemoryImage::Rows), before);

    // A good file: the open grid shows it at once, and the long name was cut as the grid cuts it.
    write("Location,Frequency,Name\n20,145.5,longname\n");
    m_window->menuAction(QStringLiteral("File_import_csv"))->trigger();
    QCOMPARE(MessageBox::takeRecordedTexts(),
             QStringList{"Imported 1 channels.\nLine 2, column Name, value \"longname\": The letter of channel name max 6 bit . "});
    QCOMPARE(ChannelRecord(image, 20).nameText(), QStringLiteral("LONGNA"));
    QCOMPARE(editor->model()->cellText(20, ChannelGridModel::RxFrequency), QStringLiteral("145.50000"));
    QCOMPARE(editor->model()->cellText(20, ChannelGridModel::Name), QStringLiteral("LONGNA"));
    FileMenuDialog::setChooser({});
}

void TestMainWindow::editMenuUndoesOneStepAtATime()
{
    const QList<QAction *> top = m_window->menuBar()->actions();
    QCOMPARE(top.at(1)->objectName(), QStringLiteral("Edit"));
    QAction *undo = m_window->menuAction(QStringLiteral("Edit_undo"));
    QAction *redo = m_window->menuAction(QStringLiteral("Edit_redo"));
    QVERIFY(!undo->isEnabled()); // the start-up defaults are no step
    QVERIFY(undo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
    QVERIFY(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    QVERIFY(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));

    m_window->showChannelEditor();
    auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
    const QByteArray before = TestSupport::image().rows(0, MemoryImage::Rows);
    QVERIFY(editor->model()->commitRxFrequency(12, QStringLiteral("145.5")));
    const QByteArray after = TestSupport::image().rows(0, MemoryImage::Rows);
    QCOMPARE(undo->text(), QStringLiteral("Undo: channel 12 RX Frequency"));
    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(undo->text(), QStringLiteral("撤销：信道 12 接收频率(MHZ)"));
    m_window->menuAction(QStringLiteral("Language_eng"))->trigger();

    undo->trigger();
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), before);
    QCOMPARE(editor->model()->cellText(12, ChannelGridModel::RxFrequency), QString());
    QCOMPARE(redo->text(), QStringLiteral("Redo: channel 12 RX Frequency"));
    QCOMPARE(undo->text(), QStringLiteral("Undo"));
    redo->trigger();
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), after);

    // While a transfer runs, undo is refused like the other busy actions.
    RadioOnCom radio(5);
    QVERIFY(radio.ok());
    vradio::Faults silent;
    silent.silent = true;
    radio.radio().setFaults(silent);
    editor->button(EditorWindow::Action::Read)->click();
    QVERIFY(editor->isBusy());
    MessageBox::takeRecorded();
    undo->trigger();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Read-write operating with transceiver ."}));
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), after);
    editor->engine().stop();
}

void TestMainWindow::configurationFromTheFileMenu()
{
    QTemporaryDir dir;
    QString chosen = dir.filePath(QStringLiteral("plan.yaml"));
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return chosen; });
    m_window->showChannelEditor();
    auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
    MessageBox::takeRecorded();
    const QByteArray start = TestSupport::image().rows(0, MemoryImage::Rows);

    m_window->menuAction(QStringLiteral("File_export_config"))->trigger();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList{QStringLiteral("Exported the configuration to %1.").arg(chosen)});
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    file.close();

    auto importText = [&](const QByteArray &yaml) {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(yaml);
        file.close();
        m_window->menuAction(QStringLiteral("File_import_config"))->trigger();
    };
    // A plan with one error changes nothing and says where it is.
    QByteArray bad = text;
    bad.replace("power: HIGH", "power: LOUD");
    importText(bad);
    const QStringList refused = MessageBox::takeRecordedTexts();
    QCOMPARE(refused.size(), 1);
    QVERIFY2(refused.at(0).startsWith(QStringLiteral("Nothing was imported")), qPrintable(refused.at(0)));
    QVERIFY2(refused.at(0).contains(QStringLiteral("plan.yaml:")), qPrintable(refused.at(0)));
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), start);

    // One changed value: the open grid shows it, and Undo takes the whole import back.
    const int rx = int(text.indexOf("rx: \""));
    QVERIFY(rx > 0);
    QByteArray good = text;
    good.replace(rx, int(QByteArray("rx: \"146.52000\"").size()), "rx: \"145.55000\"");
    importText(good);
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList{QStringLiteral("Imported the configuration from %1.").arg(chosen)});
    QCOMPARE(editor->model()->cellText(0, ChannelGridModel::RxFrequency), QStringLiteral("145.55000"));
    QCOMPARE(m_window->menuAction(QStringLiteral("Edit_undo"))->text(), QStringLiteral("Undo: Import plan.yaml"));
    m_window->menuAction(QStringLiteral("Edit_undo"))->trigger();
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), start);
    FileMenuDialog::setChooser({});
}

void TestMainWindow::theWindowInFrontComesBackAfterAFileWindow()
{
    // The options editor came first (start-up); the channel editor is in front.
    m_window->showChannelEditor();
    QCOMPARE(m_window->mdiArea()->activeSubWindow(), m_window->childFrame(QStringLiteral("frm_chann")));
    for (const char *entry : {"File_save", "File_Open"}) {
        m_window->menuAction(QString::fromLatin1(entry))->trigger();
        QMdiSubWindow *files = m_window->mdiArea()->activeSubWindow();
        QVERIFY(files && files != m_window->childFrame(QStringLiteral("frm_chann")));
        files->close();
        QCOMPARE(m_window->mdiArea()->activeSubWindow(), m_window->childFrame(QStringLiteral("frm_chann")));
    }
}

void TestMainWindow::statusLinesReadOutTheirText()
{
    auto nameOf = [](QWidget *w) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString();
    };
    for (bool chinese : {false, true}) {
        m_window->menuAction(QLatin1String(chinese ? "Language_chn" : "Language_eng"))->trigger();
        m_window->closeChild(QStringLiteral("frm_chann"));
        m_window->showChannelEditor();
        auto *editor = qobject_cast<ChannelEditor *>(m_window->child(QStringLiteral("frm_chann")));
        editor->statusLine()->setText(QStringLiteral("Read Data is Ok ！"));
        QCOMPARE(nameOf(editor->statusLine()), QStringLiteral("Read Data is Ok ！"));
        QCOMPARE(nameOf(m_window->statusPanel(2)), m_window->statusPanel(2)->text());
    }
}

void TestMainWindow::restoreBackupIsAnUndoableLoad()
{
    TestSupport::TemporaryHome home;
    // "Write changes to radio..." comes right after "Write to radio".
    const QList<QAction *> program = m_window->menuAction(QStringLiteral("Program"))->menu()->actions();
    const int write = program.indexOf(m_window->menuAction(QStringLiteral("Prog_write")));
    QCOMPARE(program.value(write + 1), m_window->menuAction(QStringLiteral("Prog_write_changes")));

    MemoryImage backup(TestSupport::image());
    backup.setCell(Area::Fm.firstRow, 0, 0x12);
    QString path;
    QVERIFY(Backups::keep(backup, QStringLiteral("ORV123456789ABCD"), &path).ok);
    const MemoryImage before = TestSupport::image();
    Document::instance().adoptOrigin(QStringLiteral("ORV0000000000001"));
    QString offered;
    QString chosen;
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &ask) {
        offered = ask.start;
        return chosen;
    });
    // The entry opens the history window; its "Other file..." is the file dialog, where
    // Cancel leaves everything as it was.
    MessageBox::takeRecorded();
    m_window->menuAction(QStringLiteral("File_restore_backup"))->trigger();
    QWidget *history = m_window->child(QStringLiteral("Form_history"));
    QVERIFY(history);
    auto otherFile = [history] { history->findChild<QPushButton *>(QStringLiteral("Command_other"))->click(); };
    otherFile();
    QCOMPARE(offered, Backups::folder());
    QVERIFY(TestSupport::image() == before);
    QVERIFY(MessageBox::takeRecorded().isEmpty());

    chosen = path;
    otherFile();
    QVERIFY(TestSupport::image() == backup);
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV123456789ABCD"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList{QStringLiteral("Restored the backup %1.").arg(path)});
    // The origin belongs to the document: undo takes it back with the bytes, redo again.
    Document::instance().undo();
    QVERIFY(TestSupport::image() == before);
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV0000000000001"));
    Document::instance().redo();
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV123456789ABCD"));
    Document::instance().undo();
    FileMenuDialog::setChooser({});
    Document::instance().adoptOrigin(QString());
    QVERIFY(m_window->closeChild(QStringLiteral("Form_history")));
}

void TestMainWindow::recoverEntryFollowsTheJournals()
{
    TestSupport::TemporaryHome home;
    QAction *entry = m_window->menuAction(QStringLiteral("File_recover"));
    m_window->showRecoverable();
    QVERIFY(!entry->isEnabled());
    {
        Document other;
        Journal journal(other);
        QVERIFY(journal.start());
        other.applyToImage({QStringLiteral("cell"), QStringLiteral("单元")}, [](MemoryImage &image) {
            image.setAt(1, 2);
            return true;
        });
    }
    m_window->showRecoverable();
    QVERIFY(entry->isEnabled());
    entry->trigger();
    auto *window = qobject_cast<RecoveryWindow *>(m_window->child(QStringLiteral("Form_recover")));
    QVERIFY(window);
    QCOMPARE(window->runs().size(), 1);
    QVERIFY(m_window->closeChild(QStringLiteral("Form_recover")));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
