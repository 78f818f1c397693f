#include "files/adjustfilerequests.h"
#include "files/datafile.h"
#include "files/filewindow.h"
#include "image/memoryimage.h"
#include "support/documentaccess.h"
#include "platform/messagebox.h"
#include "texts/language.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FileWindow::Kind)

namespace {

template<typename T>
T *control(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("control %s missing", name);
    return w;
}

void typeName(FileWindow *window, const QString &name)
{
    auto *text = control<QLineEdit>(window, "Text1");
    text->clear();
    QTest::keyClicks(text, name);
}

void pressConfirm(FileWindow *window)
{
    QTest::mouseClick(control<QPushButton>(window, "Command_enter"), Qt::LeftButton);
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void doubleClick(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(text));
    // A real double-click starts with a single click.
    const QPoint at = list->visualItemRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Message
{
    QString title;
    QString text;
};

QList<Message> takeMessages()
{
    QList<Message> out;
    for (const MessageBox::Record &r : MessageBox::takeRecorded()) {
        if (r.icon != MessageBox::Icon::Warning)
            qWarning("message without a warning icon: %s", qPrintable(r.text));
        out.append({r.title, r.text});
    }
    return out;
}

} // namespace

class TestFileWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionsInBothLanguages_data();
    void captionsInBothLanguages();
    void nameChecks_data();
    void nameChecks();
    void nameMessageFollowsTheLanguage();
    void openDataFileLoadsTheImage();
    void badDataFileKeepsTheWindowAndTheImage();
    void saveDataFileWritesTheImage();
    void adjustWindowsHandOverThePath_data();
    void adjustWindowsHandOverThePath();
    void listsFollowDriveAndFolder();
    void driveListAlwaysHoldsTheCurrentVolume_data();
    void driveListAlwaysHoldsTheCurrentVolume();
    void cancelClosesWithoutEffect();
    void closingAlsoClosesTheHostFrame();

private:
    QTemporaryDir m_dir;
    MemoryImage m_saved;
};

void TestFileWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (int a = 0; a < MemoryImage::Size; ++a)
        m_saved.setAt(a, uint8_t((a * 7 + 3) % 256));
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("test.DAT")), DataFile::format(m_saved)));
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("second.dat")), DataFile::format(m_saved)));
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("notes.txt")), "x"));
    QVERIFY(writeAll(m_dir.filePath(QStringLiteral("align.adj")), "x"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub/inner")));
}

void TestFileWindow::init()
{
    Language::setChinese(false);
    MessageBox::startRecording();
    TestSupport::image().fill(0, MemoryImage::Rows - 1, MemoryImage::Empty);
    AdjustFileRequests::instance().take();
}

void TestFileWindow::cleanup()
{
    MessageBox::stopRecording();
    Language::setChinese(false);
}

void TestFileWindow::captionsInBothLanguages_data()
{
    QTest::addColumn<FileWindow::Kind>("kind");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QStringList>("captions"); // title, drive, name label, confirm, cancel, initial name
    QTest::newRow("open data en") << FileWindow::Kind::OpenData << false << "Form_open_chann"
                                  << QStringList{"Open File", "Drive:", "Open File:", "Confirm", "Cancel", "*.dat"};
    QTest::newRow("open data zh") << FileWindow::Kind::OpenData << true << "Form_open_chann"
                                  << QStringList{"打开文件", "驱动器：", "打开文件名：", "确  定", "取  消", "*.dat"};
    QTest::newRow("save data en") << FileWindow::Kind::SaveData << false << "Form_save_chann"
                                  << QStringList{"Save File", "Drive:", "Save File:", "Confirm", "Cancel", "*.dat"};
    QTest::newRow("save data zh") << FileWindow::Kind::SaveData << true << "Form_save_chann"
                                  << QStringList{"保存文件", "驱动器：", "保存文件名：", "确  定", "取  消", "*.dat"};
    QTest::newRow("open adj en") << FileWindow::Kind::OpenAdjust << false << "Form_open_adj"
                                 << QStringList{"Open Adjust File", "Drive:", "Open File:", "Confirm", "Cancel", "*.adj"};
    QTest::newRow("open adj zh") << FileWindow::Kind::OpenAdjust << true << "Form_open_adj"
                                 << QStringList{"打开调整参数文件", "驱动器：", "打开文件名：", "确  定", "取  消", "*.adj"};
    QTest::newRow("save adj en") << FileWindow::Kind::SaveAdjust << false << "Form_save_adj"
                                 << QStringList{"Save Adjust File", "Drive:", "Save File:", "Confirm", "Cancel", "*.adj"};
    QTest::newRow("save adj zh") << FileWindow::Kind::SaveAdjust << true << "Form_save_adj"
                                 << QStringList{"保存调整参数文件", "驱动器：", "保存文件名：", "确  定", "取  消", "*.adj"};
}

void TestFileWindow::captionsInBothLanguages()
{
    QFETCH(FileWindow::Kind, kind);
    QFETCH(bool, chinese);
    QFETCH(QString, objectName);
    QFETCH(QStringList, captions);
    Language::setChinese(chinese);
    FileWindow window(kind);
    // The window keeps the language it opened with.
    Language::setChinese(!chinese);
    QCOMPARE(window.objectName(), objectName);
    QCOMPARE(FileWindow::objectNameFor(kind), objectName);
    const QStringList actual{window.windowTitle(),
                             control<QLabel>(&window, "Label_drive")->text(),
                             control<QLabel>(&window, "Label_name")->text(),
                             control<QPushButton>(&window, "Command_enter")->text(),
                             control<QPushButton>(&window, "Command_close")->text(),
                             control<QLineEdit>(&window, "Text1")->text()};
    QCOMPARE(actual, captions);
    QCOMPARE(control<QComboBox>(&window, "Drive1")->accessibleName(), captions.at(1));
    QCOMPARE(control<QLineEdit>(&window, "Text1")->accessibleName(), captions.at(2));
    QVERIFY(!control<QListWidget>(&window, "Dir1")->accessibleName().isEmpty());
    QVERIFY(!control<QListWidget>(&window, "File1")->accessibleName().isEmpty());
}

void TestFileWindow::nameChecks_data()
{
    QTest::addColumn<FileWindow::Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    const QString openName = QStringLiteral("Open the file name is nullity ");
    const QString openExt = QStringLiteral("Nullity file suffix name.");
    const QString saveName = QStringLiteral("Store the file name is nullity. ");
    const QString saveExt = QStringLiteral("Advice don't modify file suffix name of system default ！");
    const QString adjOpenName = QStringLiteral("Open the file name of channel parameter is nullity ");
    const QString adjOpenExt = QStringLiteral("Nullity file suffix name of adjust parameter.");
    const QString adjSaveName = QStringLiteral("Store the file name of adjust parameter need is nullity. ");

    QTest::newRow("open: mixed-case suffix") << FileWindow::Kind::OpenData << "test.Dat" << openExt;
    QTest::newRow("open: name before suffix") << FileWindow::Kind::OpenData << "a#b.dat" << openName;
    QTest::newRow("open: name first, bad suffix too") << FileWindow::Kind::OpenData << "a$b.txt" << openName;
    QTest::newRow("open: initial pattern") << FileWindow::Kind::OpenData << "*.dat" << openName;
    QTest::newRow("open: backslash") << FileWindow::Kind::OpenData << "a\\b.dat" << openName;
    QTest::newRow("open: slash") << FileWindow::Kind::OpenData << "a/b.dat" << openName;
    QTest::newRow("open: 3 characters") << FileWindow::Kind::OpenData << "dat" << openExt;
    QTest::newRow("open: nothing") << FileWindow::Kind::OpenData << "   " << openExt;
    QTest::newRow("open: adj suffix") << FileWindow::Kind::OpenData << "x.adj" << openExt;
    QTest::newRow("save: mixed-case suffix") << FileWindow::Kind::SaveData << "test.Dat" << saveExt;
    QTest::newRow("save: #") << FileWindow::Kind::SaveData << "a#b.dat" << saveName;
    QTest::newRow("save: 2 characters") << FileWindow::Kind::SaveData << "ab" << saveExt;
    QTest::newRow("adj open: dat suffix") << FileWindow::Kind::OpenAdjust << "x.dat" << adjOpenExt;
    QTest::newRow("adj open: *") << FileWindow::Kind::OpenAdjust << "*.adj" << adjOpenName;
    QTest::newRow("adj open: Adj") << FileWindow::Kind::OpenAdjust << "x.Adj" << adjOpenExt;
    QTest::newRow("adj save: $") << FileWindow::Kind::SaveAdjust << "$.adj" << adjSaveName;
    QTest::newRow("adj save: short") << FileWindow::Kind::SaveAdjust << "adj" << saveExt;
}

void TestFileWindow::nameChecks()
{
    QFETCH(FileWindow::Kind, kind);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QStringList filesBefore = QDir(m_dir.path()).entryList(QDir::Files);
    FileWindow window(kind);
    window.setFolder(m_dir.path());
    window.show();
    typeName(&window, name);
    pressConfirm(&window);
    const QList<Message> shown = takeMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Operate prompt"));
    QCOMPARE(shown.first().text, message);
    QVERIFY(window.isVisible());
    QVERIFY(TestSupport::image() == MemoryImage());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), filesBefore);
    QVERIFY(!AdjustFileRequests::instance().take().isPending());
}

void TestFileWindow::nameMessageFollowsTheLanguage()
{
    FileWindow window(FileWindow::Kind::SaveData);
    window.setFolder(m_dir.path());
    Language::setChinese(true); // messages take the flag when they are shown
    typeName(&window, QStringLiteral("a#b.dat"));
    pressConfirm(&window);
    typeName(&window, QStringLiteral("test.Dat"));
    QTest::keyClick(control<QLineEdit>(&window, "Text1"), Qt::Key_Return);
    const QList<Message> shown = takeMessages();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).title, QStringLiteral("操作提示"));
    QCOMPARE(shown.at(0).text, QStringLiteral("保存文件所需要的文件名无效 "));
    QCOMPARE(shown.at(1).text, QStringLiteral("建议不要修改系统默认的文件后缀名！"));
}

void TestFileWindow::openDataFileLoadsTheImage()
{
    FileWindow window(FileWindow::Kind::OpenData);
    QSignalSpy loaded(&window, &FileWindow::dataFileLoaded);
    window.setFolder(m_dir.path());
    window.show();
    typeName(&window, QStringLiteral("  test.DAT "));
    pressConfirm(&window);
    const QList<Message> shown = takeMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Operate prompt"));
    QCOMPARE(shown.first().text, QStringLiteral("Succeed fold the parameter from file."));
    QVERIFY(TestSupport::image() == m_saved);
    QVERIFY(!window.isVisible());
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.first().first().toString(), QDir(m_dir.path()).filePath(QStringLiteral("test.DAT")));
    // The next window starts where this one found the file.
    QCOMPARE(FileWindow::initialFolder(), QDir(m_dir.path()).canonicalPath());
}

void TestFileWindow::badDataFileKeepsTheWindowAndTheImage()
{
    QTemporaryDir dir;
    QList<QByteArray> lines = DataFile::format(m_saved).split('\n');
    lines[5] = " 0  5  5  1  2  256  4  5  6  7  8  9  10  11  12  13  14  15  16 \r";
    QVERIFY(writeAll(dir.filePath(QStringLiteral("broken.dat")), lines.join('\n')));
    FileWindow window(FileWindow::Kind::OpenData);
    window.setFolder(dir.path());
    window.show();
    typeName(&window, QStringLiteral("broken.dat"));
    pressConfirm(&window);
    typeName(&window, QStringLiteral("missing.dat"));
    pressConfirm(&window);
    const QList<Message> shown = takeMessages();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).text, QStringLiteral("Line 6: \"256\" is not a whole number from 0 to 255."));
    QVERIFY(shown.at(1).text.startsWith(QStringLiteral("Cannot open \"")));
    QVERIFY(TestSupport::image() == MemoryImage());
    QVERIFY(window.isVisible());
}

void TestFileWindow::saveDataFileWritesTheImage()
{
    TestSupport::image().setRows(0, m_saved.rows(0, MemoryImage::Rows));
    TestSupport::image().setCell(1024, 15, 0x42);
    FileWindow window(FileWindow::Kind::SaveData);
    QSignalSpy saved(&window, &FileWindow::dataFileSaved);
    window.setFolder(m_dir.path());
    window.show();
    typeName(&window, QStringLiteral("out.DAT"));
    pressConfirm(&window);
    const QList<Message> shown = takeMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, QStringLiteral("Complete storing  parameter."));
    QVERIFY(!window.isVisible());
    QCOMPARE(saved.count(), 1);
    QFile file(m_dir.filePath(QStringLiteral("out.DAT")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), DataFile::format(TestSupport::image()));
    file.remove();
}

void TestFileWindow::adjustWindowsHandOverThePath_data()
{
    QTest::addColumn<FileWindow::Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("action");
    QTest::newRow("open") << FileWindow::Kind::OpenAdjust << "align.adj" << int(AdjustFileRequests::Action::Open);
    QTest::newRow("save upper case") << FileWindow::Kind::SaveAdjust << " NEW.ADJ"
                                     << int(AdjustFileRequests::Action::Save);
}

void TestFileWindow::adjustWindowsHandOverThePath()
{
    QFETCH(FileWindow::Kind, kind);
    QFETCH(QString, name);
    QFETCH(int, action);
    FileWindow window(kind);
    window.setFolder(m_dir.path());
    window.show();
    QSignalSpy requested(&AdjustFileRequests::instance(), &AdjustFileRequests::requested);
    typeName(&window, name);
    pressConfirm(&window);
    QCOMPARE(requested.count(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY(takeMessages().isEmpty()); // the alignment window reports the outcome
    const AdjustFileRequests::Request request = AdjustFileRequests::instance().take();
    QCOMPARE(int(request.action), action);
    QCOMPARE(request.path, QDir(QDir(m_dir.path()).canonicalPath()).filePath(name.trimmed()));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("NEW.ADJ")))); // nothing written here
}

void TestFileWindow::driveListAlwaysHoldsTheCurrentVolume_data()
{
    QTest::addColumn<QStringList>("mounted");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("expected");
    // A bare root where "/" is no mount point: the system reports no volume at all.
    QTest::newRow("nothing mounted, no volume known") << QStringList() << QString() << QStringList{"/"};
    QTest::newRow("current volume not mounted") << QStringList{"/boot/"} << "/" << QStringList{"/", "/boot/"};
    QTest::newRow("duplicates and blanks") << QStringList{"/", "", "/home", "/"} << "/home"
                                           << QStringList{"/", "/home"};
}

void TestFileWindow::driveListAlwaysHoldsTheCurrentVolume()
{
    QFETCH(QStringList, mounted);
    QFETCH(QString, current);
    QFETCH(QStringList, expected);
    QCOMPARE(FileWindow::driveRoots(mounted, current), expected);
}

void TestFileWindow::listsFollowDriveAndFolder()
{
    FileWindow window(FileWindow::Kind::OpenData);
    window.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString root = QDir(m_dir.path()).canonicalPath();
    window.setFolder(m_dir.path());
    QCOMPARE(window.folder(), root);

    auto *drives = control<QComboBox>(&window, "Drive1");
    auto *folders = control<QListWidget>(&window, "Dir1");
    auto *files = control<QListWidget>(&window, "File1");
    auto *name = control<QLineEdit>(&window, "Text1");
    // Where the system knows no volume for the folder (a bare chroot), "/" stands for it.
    QString volume = QStorageInfo(root).rootPath();
    if (volume.isEmpty())
        volume = QDir::rootPath();
    QCOMPARE(drives->currentData().toString(), volume);
    QCOMPARE(texts(folders), (QStringList{"..", "sub"}));
    QCOMPARE(texts(files), (QStringList{"second.dat", "test.DAT"}));
    QCOMPARE(name->text(), QStringLiteral("*.dat")); // listing files does not pick one

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(1)).center());
    QCOMPARE(name->text(), QStringLiteral("test.DAT"));

    doubleClick(folders, QStringLiteral("sub"));
    QCOMPARE(window.folder(), root + QStringLiteral("/sub"));
    QCOMPARE(texts(folders), (QStringList{"..", "inner"}));
    QVERIFY(texts(files).isEmpty());
    doubleClick(folders, QStringLiteral(".."));
    QCOMPARE(window.folder(), root);

    // Choosing a drive shows its top folder.
    const int index = drives->currentIndex();
    QVERIFY(index >= 0);
    QMetaObject::invokeMethod(drives, "activated", Q_ARG(int, index));
    QCOMPARE(window.folder(), QDir(volume).canonicalPath());

    // A folder that has gone falls back to the home folder.
    window.setFolder(m_dir.filePath(QStringLiteral("gone")));
    QCOMPARE(window.folder(), QDir(QDir::homePath()).canonicalPath());

    // Double-clicking a file opens it.
    window.setFolder(m_dir.path());
    doubleClick(files, QStringLiteral("second.dat"));
    QCOMPARE(takeMessages().size(), 1);
    QVERIFY(TestSupport::image() == m_saved);
    QVERIFY(!window.isVisible());
}

void TestFileWindow::cancelClosesWithoutEffect()
{
    FileWindow window(FileWindow::Kind::SaveData);
    window.setFolder(m_dir.path());
    window.show();
    typeName(&window, QStringLiteral("cancelled.dat"));
    QTest::mouseClick(control<QPushButton>(&window, "Command_close"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QVERIFY(takeMessages().isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("cancelled.dat"))));

    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestFileWindow::closingAlsoClosesTheHostFrame()
{
    QMdiArea area;
    auto *window = new FileWindow(FileWindow::Kind::SaveAdjust);
    QMdiSubWindow *frame = area.addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QMdiSubWindow> guard(frame);
    area.show();
    frame->show();
    window->setFolder(m_dir.path());
    typeName(window, QStringLiteral("x.adj"));
    pressConfirm(window);
    QVERIFY(AdjustFileRequests::instance().take().isPending());
    QTRY_VERIFY(guard.isNull());
    QVERIFY(area.subWindowList().isEmpty());
}

QTEST_MAIN(TestFileWindow)
#include "tst_filewindow.moc"
