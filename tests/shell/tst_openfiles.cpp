// Opening a file from outside the File menu's dialogs: the command line, a drop on the main
// window or the alignment window, and the recent files. Each goes the way its File menu
// entry goes: one undo step with that entry's message, or its message and nothing changed.

#include "support/testsupport.h"
#include "alignment/alignmentwindow.h"
#include "config/configtext.h"
#include "files/adjustfile.h"
#include "files/datafile.h"
#include "files/droppedfiles.h"
#include "image/document.h"
#include "platform/portnames.h"
#include "platform/screen.h"
#include "shell/mainwindow.h"
#include "shell/recentfiles.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>

namespace {

const QString Prompt = QStringLiteral("Operate prompt|");
const QString Loaded = QStringLiteral("Succeed fold the parameter from file.");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

MemoryImage demoImage()
{
    MemoryImage image;
    if (!DataFile::load(image, QStringLiteral(ORVANE_DEMO_DAT)).ok)
        qFatal("cannot load the demo data file");
    return image;
}

std::unique_ptr<QMimeData> urls(const QStringList &paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> list;
    for (const QString &p : paths)
        list << QUrl::fromLocalFile(p);
    data->setUrls(list);
    // File managers offer the paths as plain text too, which text boxes take.
    data->setText(paths.join(QLatin1Char('\n')));
    return data;
}

// Whether `target` (or a parent it hands the drag to) shows the drop cursor for it, then
// the drop itself.
bool drop(QWidget *target, const QStringList &paths)
{
    const auto data = urls(paths);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    const bool taken = move.isAccepted();
    QDropEvent dropped(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QCoreApplication::sendPostedEvents();
    return taken;
}

} // namespace

class TestOpenFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void aFileOpensAsItsMenuEntryOpensIt_data();
    void aFileOpensAsItsMenuEntryOpensIt();
    void dropsOnTheMainWindow_data();
    void dropsOnTheMainWindow();
    void alignmentFileDroppedOnItsWindow();
    void aFileDroppedOnATextBoxOpens();
    void recentFilesKeepTheLastEight();
    void commandLineOptions_data();
    void commandLineOptions();

private:
    QString file(const QString &name) const { return m_files.filePath(name); }

    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_files;
    QTemporaryDir m_config;
    QTemporaryDir m_noLinks;
};

void TestOpenFiles::initTestCase()
{
    // The recent files of this test, never the user's.
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    const MemoryImage demo = demoImage();
    QVERIFY(DataFile::save(demo, file(QStringLiteral("plan.dat"))).ok);
    writeFile(file(QStringLiteral("plan.yaml")), ConfigText::exportImage(demo));
    writeFile(file(QStringLiteral("bad.dat")), " 0  0  0  1  2  x\r\n");
    writeFile(file(QStringLiteral("bad.yaml")), "options:\n  tdr: MAYBE\n");
    writeFile(file(QStringLiteral("notes.txt")), "hello\n");
    writeFile(file(QStringLiteral("channels.csv")), "Location,Name,Frequency\n7,HOME,145.500000\n");
    writeFile(file(QStringLiteral("bad.csv")), "Location,Name,Frequency\n7,HOME,999.000000\n");
    AdjustFile::Table table;
    for (int i = 0; i < int(table.size()); ++i)
        table[size_t(i)] = uint8_t(i % 200);
    QVERIFY(AdjustFile::save(table, file(QStringLiteral("radio.adj"))).ok);
}

void TestOpenFiles::init()
{
    TestSupport::resetState();
    RecentFiles::clear();
    PortNames::setLinkFolder(m_noLinks.path());
    Screen::overrideSizeTwips(QSize(1280 * 15, 1024 * 15));
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
    QCoreApplication::sendPostedEvents();
    TestSupport::takeMessages();
}

void TestOpenFiles::cleanup()
{
    m_window.reset();
    Screen::clearOverride();
    PortNames::resetLinkFolder();
    TestSupport::endState();
}

void TestOpenFiles::aFileOpensAsItsMenuEntryOpensIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("message"); // a prefix
    QTest::newRow("data file") << "plan.dat" << false << true << Loaded;
    QTest::newRow("data file, Chinese") << "plan.dat" << true << true << QStringLiteral("参数从文件调入成功 ！");
    QTest::newRow("configuration text") << "plan.yaml" << false << true << QStringLiteral("Imported the configuration from ");
    QTest::newRow("missing data file") << "gone.dat" << false << false << QStringLiteral("Cannot open \"");
    QTest::newRow("missing data file, Chinese") << "gone.dat" << true << false << QString();
    QTest::newRow("bad data file") << "bad.dat" << false << false << QString();
    QTest::newRow("bad configuration text") << "bad.yaml" << false << false
                                           << QStringLiteral("Nothing was imported: the file has 1 errors.\nbad.yaml:2 options.tdr");
    QTest::newRow("another kind") << "notes.txt" << false << false << QStringLiteral("notes.txt is not a file this program opens.");
    QTest::newRow("another kind, Chinese") << "notes.txt" << true << false << QStringLiteral("notes.txt 不是本程序能打开的文件。");
    QTest::newRow("alignment file") << "radio.adj" << false << false << QStringLiteral("radio.adj is an alignment file");
}

void TestOpenFiles::aFileOpensAsItsMenuEntryOpensIt()
{
    QFETCH(QString, name);
    QFETCH(bool, chinese);
    QFETCH(bool, loads);
    QFETCH(QString, message);
    Language::setChinese(chinese);
    const MemoryImage before = Document::instance().image();
    const int steps = Document::instance().history().count();

    QCOMPARE(m_window->openFile(file(name)), loads);

    const QStringList shown = TestSupport::takeMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(QStringLiteral("%1|").arg(chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate prompt"))),
             qPrintable(shown.first()));
    const QString text = shown.first().section(QLatin1Char('|'), 1);
    if (!loads && DroppedFiles::kindOf(name) == DroppedFiles::Kind::DataFile) {
        // Word for word what the data file window says about it.
        MemoryImage scratch;
        const FileResult refused = DataFile::load(scratch, file(name));
        QCOMPARE(text, refused.message());
    }
    QVERIFY2(text.startsWith(message), qPrintable(text));
    if (loads) {
        QVERIFY(Document::instance().image() == demoImage());
        QCOMPARE(Document::instance().history().count(), steps + 1);
        Document::instance().undo();
        QVERIFY(Document::instance().image() == before);
        QCOMPARE(RecentFiles::list(), QStringList{file(name)});
    } else {
        QVERIFY(Document::instance().image() == before);
        QCOMPARE(Document::instance().history().count(), steps);
        QCOMPARE(RecentFiles::list(), QStringList());
    }
}

void TestOpenFiles::dropsOnTheMainWindow_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("taken"); // the drop cursor
    QTest::addColumn<int>("channelSeven"); // 0: unchanged, 1: HOME at 145.5, 2: the demo plan's
    QTest::addColumn<QString>("message");
    QTest::newRow("data file") << QStringList{"plan.dat"} << true << 2 << Loaded;
    QTest::newRow("configuration text") << QStringList{"plan.yaml"} << true << 2 << QStringLiteral("Imported the configuration");
    QTest::newRow("channel CSV") << QStringList{"channels.csv"} << true << 1 << QStringLiteral("Imported 1 channels.");
    QTest::newRow("channel CSV refused") << QStringList{"bad.csv"} << true << 0 << QStringLiteral("No channel was imported: 1 rows are not valid.");
    QTest::newRow("two files") << QStringList{"plan.dat", "plan.yaml"} << false << 0 << QStringLiteral("Drop one file at a time.");
    QTest::newRow("another kind") << QStringList{"notes.txt"} << false << 0 << QStringLiteral("notes.txt is not a file this program opens.");
    QTest::newRow("alignment file on the frame") << QStringList{"radio.adj"} << false << 0 << QStringLiteral("radio.adj is an alignment file");
}

void TestOpenFiles::dropsOnTheMainWindow()
{
    QFETCH(QStringList, names);
    QFETCH(bool, taken);
    QFETCH(int, channelSeven);
    QFETCH(QString, message);
    QStringList paths;
    for (const QString &n : names)
        paths << file(n);
    const MemoryImage before = Document::instance().image();
    const int steps = Document::instance().history().count();

    QCOMPARE(drop(m_window.get(), paths), taken);

    const QStringList shown = TestSupport::takeMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(Prompt + message), qPrintable(shown.first()));
    const MemoryImage &now = Document::instance().image();
    switch (channelSeven) {
    case 0:
        QVERIFY(now == before);
        QCOMPARE(Document::instance().history().count(), steps);
        break;
    case 1: {
        // Only the channel the file lists.
        int differing = 0;
        for (int a = 0; a < MemoryImage::Size; ++a)
            differing += now.at(a) != before.at(a);
        QVERIFY(differing > 0 && differing <= 2 * MemoryImage::Columns);
        QCOMPARE(Document::instance().history().count(), steps + 1);
        break;
    }
    case 2:
        QVERIFY(now == demoImage());
        QCOMPARE(Document::instance().history().count(), steps + 1);
        break;
    }
}

void TestOpenFiles::alignmentFileDroppedOnItsWindow()
{
    auto *window = qobject_cast<AlignmentWindow *>(m_window->showEditor("frm_Adj_Txp"));
    QVERIFY(window);
    QCoreApplication::sendPostedEvents();
    TestSupport::takeMessages();
    const QByteArray before = Document::instance().alignment();

    // Two files: refused with the message.
    QVERIFY(!drop(window, {file(QStringLiteral("radio.adj")), file(QStringLiteral("radio.adj"))}));
    QCOMPARE(TestSupport::takeMessages(), QStringList{Prompt + DroppedFiles::SeveralFiles.text(false)});
    QCOMPARE(Document::instance().alignment(), before);

    QVERIFY(drop(window, {file(QStringLiteral("radio.adj"))}));
    AdjustFile::Table expected;
    QVERIFY(AdjustFile::load(expected, file(QStringLiteral("radio.adj"))).ok);
    const QByteArray now = Document::instance().alignment();
    QCOMPARE(now, QByteArray(reinterpret_cast<const char *>(expected.data()), int(expected.size())));
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{QStringLiteral("Operate Prompt|Succeed fold the optional parameters from file.")});

    // A data file dropped there is the main window's, and opens as it opens there.
    QVERIFY(drop(window, {file(QStringLiteral("plan.dat"))}));
    QVERIFY(Document::instance().image() == demoImage());
    QCOMPARE(TestSupport::takeMessages(), QStringList{Prompt + Loaded});
}

void TestOpenFiles::aFileDroppedOnATextBoxOpens()
{
    // The options window, open since start-up, covers most of the frame.
    QWidget *options = m_window->child(QStringLiteral("frm_option"));
    QVERIFY(options);
    auto *box = options->findChild<QLineEdit *>();
    QVERIFY(box);
    QVERIFY(drop(box, {file(QStringLiteral("plan.dat"))}));
    QCOMPARE(TestSupport::takeMessages(), QStringList{Prompt + Loaded});
    QVERIFY(Document::instance().image() == demoImage());
    // Shown again from the file, never the dropped file's path typed in.
    QVERIFY(!box->text().contains(QLatin1String("plan.dat")));
}

void TestOpenFiles::recentFilesKeepTheLastEight()
{
    // Nine different files, each opened or saved once, then the first again.
    QStringList names;
    for (int i = 1; i <= 9; ++i) {
        names << QStringLiteral("plan%1.dat").arg(i);
        QVERIFY(QFile::copy(file(QStringLiteral("plan.dat")), file(names.last())));
        QVERIFY(m_window->openFile(file(names.last())));
    }
    QVERIFY(m_window->openFile(file(QStringLiteral("plan.yaml"))));
    QVERIFY(m_window->openFile(file(names.at(5))));
    QStringList expected{file(names.at(5)), file(QStringLiteral("plan.yaml"))};
    for (int i = 8; expected.size() < RecentFiles::Capacity; --i) {
        if (i != 5)
            expected << file(names.at(i));
    }
    QCOMPARE(RecentFiles::list(), expected);
    // Kept where the desktop keeps settings, and nothing of the start-up state with it.
    QVERIFY(QFile::exists(m_config.filePath(QStringLiteral("orvane-cps/orvane-cps.conf"))));
    m_window->menuAction(QStringLiteral("Language_chn"))->trigger();
    QSettings stored(RecentFiles::settingsPath(), QSettings::IniFormat);
    QCOMPARE(stored.allKeys(), QStringList{QStringLiteral("recent/files")});

    // A file that has gone stays in the list, disabled, its path in the tooltip.
    QVERIFY(QFile::remove(file(names.at(8))));
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("File_recent"));
    QVERIFY(menu);
    emit menu->aboutToShow();
    QCOMPARE(menu->menuAction()->text(), QStringLiteral("最近的文件"));
    QList<QAction *> entries;
    for (QAction *a : menu->actions()) {
        if (a->objectName().startsWith(QLatin1String("File_recent_")) && a->objectName() != QLatin1String("File_recent_clear"))
            entries << a;
    }
    QCOMPARE(entries.size(), RecentFiles::Capacity);
    QVERIFY(entries.at(0)->text().contains(names.at(5)));
    QVERIFY(entries.at(0)->isEnabled());
    QCOMPARE(entries.at(2)->isEnabled(), false);
    QCOMPARE(entries.at(2)->toolTip(), QDir::toNativeSeparators(file(names.at(8))));

    // Choosing one opens it as File > Open does.
    Document::instance().applyToImage(StepLabel(QStringLiteral("x"), QStringLiteral("x")), [](MemoryImage &image) {
        image.setAt(0, 0x12);
        return true;
    });
    TestSupport::takeMessages();
    entries.at(3)->trigger();
    QVERIFY(Document::instance().image() == demoImage());
    QCOMPARE(TestSupport::takeMessages().size(), 1);

    auto *clear = menu->findChild<QAction *>(QStringLiteral("File_recent_clear"));
    QVERIFY(clear);
    QCOMPARE(clear->text(), QStringLiteral("清除列表"));
    clear->trigger();
    QCOMPARE(RecentFiles::list(), QStringList());
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    QVERIFY(!menu->actions().first()->isEnabled());
    m_window->menuAction(QStringLiteral("Language_eng"))->trigger();
    QCOMPARE(menu->menuAction()->text(), QStringLiteral("Recent files"));
}

void TestOpenFiles::commandLineOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // contained in standard output and error together
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QStringLiteral("[FILE]");
    QTest::newRow("-h") << QStringList{"-h"} << 0 << QStringLiteral("--version");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringLiteral("orvane-cps " ORVANE_VERSION "\n");
    QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << QStringLiteral("orvane-cps: Unknown option 'colour'.");
    QTest::newRow("two files") << QStringList{"a.dat", "b.dat"} << 2 << QStringLiteral("one FILE at most");
}

void TestOpenFiles::commandLineOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORVANE_CPS), arguments);
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(program.readAll());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(said.contains(output), qPrintable(said));
}

QTEST_MAIN(TestOpenFiles)
#include "tst_openfiles.moc"
