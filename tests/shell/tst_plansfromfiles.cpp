#include "support/testsupport.h"
#include "channels/channelrecord.h"
#include "config/configtext.h"
#include "files/datafile.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "platform/screen.h"
#include "shell/compareview.h"
#include "shell/comparewindow.h"
#include "shell/filemenudialog.h"
#include "shell/imageinitialisation.h"
#include "shell/mainwindow.h"
#include "shell/plansource.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList treeLines(const QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *group = tree->topLevelItem(i);
        out << group->text(0);
        for (int j = 0; j < group->childCount(); ++j)
            out << QStringLiteral("  ") + group->child(j)->text(0);
    }
    return out;
}

} // namespace

class TestPlansFromFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void planSourceTellsTheKindByContents_data();
    void planSourceTellsTheKindByContents();
    void compareViewListsGroupsInEitherLanguage();
    void compareWithFileFromTheFileMenu();

private:
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_noLinks;
    QTemporaryDir m_dir;
};

void TestPlansFromFiles::init()
{
    TestSupport::resetState();
    PortNames::setLinkFolder(m_noLinks.path());
    Screen::overrideSizeTwips(QSize(1366 * 15, 768 * 15));
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
    MessageBox::takeRecorded();
}

void TestPlansFromFiles::cleanup()
{
    m_window.reset();
    FileMenuDialog::setChooser({});
    Screen::clearOverride();
    TestSupport::endState();
    PortNames::resetLinkFolder();
}

void TestPlansFromFiles::planSourceTellsTheKindByContents_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("errorPart"); // in the English message
    QTest::addColumn<QString>("chinesePart");

    MemoryImage image;
    initialiseMemoryImage(image);
    QTest::newRow("data file") << DataFile::format(image) << true << int(PlanSource::Kind::DataFile) << QString()
                               << QString();
    QTest::newRow("configuration") << ConfigText::exportImage(image) << true << int(PlanSource::Kind::ConfigText)
                                   << QString() << QString();
    QTest::newRow("channel csv") << QByteArray("Location,Name,Frequency\r\n3,AB,145.5\r\n") << true
                                 << int(PlanSource::Kind::ChannelCsv) << QString() << QString();
    // Frequencies outside this radio's bands still read: the merge judges them per row.
    QTest::newRow("csv outside the bands") << QByteArray("Location,Name,Frequency\r\n3,AB,50.5\r\n") << true
                                           << int(PlanSource::Kind::ChannelCsv) << QString() << QString();
    QTest::newRow("bad csv value") << QByteArray("Location,Name,Frequency\r\n3,AB,abc\r\n") << false << 0
                                   << QStringLiteral("Line 2, column Frequency") << QStringLiteral("Frequency");
    QTest::newRow("short data file") << QByteArray(" 0  0  0  255 \r\n") << false << 0 << QStringLiteral("plan:")
                                     << QStringLiteral("plan：");
    QTest::newRow("none of them") << QByteArray("\n  callsign,frequency_tx\n") << false << 0
                                  << QStringLiteral("plan: line 2, column 3: this is neither")
                                  << QStringLiteral("plan：第 2 行第 3 列");
    QTest::newRow("empty") << QByteArray(" \n") << false << 0 << QStringLiteral("line 1, column 1: the file is empty")
                           << QStringLiteral("文件为空");
}

void TestPlansFromFiles::planSourceTellsTheKindByContents()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(int, kind);
    QFETCH(QString, errorPart);
    QFETCH(QString, chinesePart);
    MemoryImage image;
    image.setCell(900, 3, 0x42);
    const QByteArray before = image.rows(0, MemoryImage::Rows);
    const PlanSource::Result r = PlanSource::read(bytes, QStringLiteral("plan"), image);
    QCOMPARE(r.ok, ok);
    if (ok) {
        QCOMPARE(int(r.kind), kind);
        if (kind == int(PlanSource::Kind::ChannelCsv)) {
            QVERIFY(!ChannelRecord(image, 3).isEmpty());
            QCOMPARE(ChannelRecord(image, 0).isEmpty(), true); // only what the file lists
        }
        return;
    }
    QCOMPARE(image.rows(0, MemoryImage::Rows), before);
    QVERIFY2(r.error(false).contains(errorPart), qPrintable(r.error(false)));
    QVERIFY2(r.error(true).contains(chinesePart), qPrintable(r.error(true)));
}

void TestPlansFromFiles::compareViewListsGroupsInEitherLanguage()
{
    MemoryImage a;
    initialiseMemoryImage(a);
    MemoryImage b = a;
    QVERIFY(ChannelRecord(b, 4).setRxFrequency(QStringLiteral("145.5")));
    b.setCell(1000, 0, 0x12);
    for (bool chinese : {false, true}) {
        Language::setChinese(chinese);
        CompareView view;
        view.compare(a, b, QStringLiteral("A"), QStringLiteral("B"));
        const QStringList lines = treeLines(view.list());
        QVERIFY2(lines.size() >= 4, qPrintable(lines.join('\n')));
        QCOMPARE(lines.first(), chinese ? QStringLiteral("信道（%1）").arg(view.differenceCount() - 1)
                                        : QStringLiteral("Channels (%1)").arg(view.differenceCount() - 1));
        QVERIFY(lines.at(1).contains(QStringLiteral("145.50000")));
        QVERIFY(lines.last().contains(QStringLiteral("0x3E80")));
        auto *heading = view.findChild<QLabel *>(QStringLiteral("Label_compare"));
        QCOMPARE(heading->text(), chinese ? QStringLiteral("从 A 到 B：%1 处差异").arg(view.differenceCount())
                                          : QStringLiteral("From A to B: %1 differences").arg(view.differenceCount()));
        view.compare(a, a, QStringLiteral("A"), QStringLiteral("B"));
        QCOMPARE(view.differenceCount(), 0);
        QCOMPARE(view.list()->topLevelItemCount(), 0);
    }
}

void TestPlansFromFiles::compareWithFileFromTheFileMenu()
{
    QString chosen;
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return chosen; });
    const MemoryImage &doc = TestSupport::image();
    const QByteArray start = doc.rows(0, MemoryImage::Rows);
    MemoryImage other = doc;
    QVERIFY(ChannelRecord(other, 7).setRxFrequency(QStringLiteral("146.5")));

    chosen = m_dir.filePath(QStringLiteral("other.yaml"));
    writeFile(chosen, ConfigText::exportImage(other));
    m_window->menuAction(QStringLiteral("File_compare"))->trigger();
    auto *window = qobject_cast<CompareWindow *>(m_window->child(QStringLiteral("frm_compare")));
    QVERIFY(window);
    const QStringList lines = treeLines(window->view()->list());
    QVERIFY2(lines.join('\n').contains(QStringLiteral("146.50000")), qPrintable(lines.join('\n')));
    QCOMPARE(window->view()->differenceCount(), lines.size() - 1);
    QCOMPARE(doc.rows(0, MemoryImage::Rows), start); // showing changes nothing

    // A file that is no plan: a message naming the line, and no window.
    m_window->closeChild(QStringLiteral("frm_compare"));
    chosen = m_dir.filePath(QStringLiteral("bad.dat"));
    writeFile(chosen, " 0  0  0  12  x \r\n");
    m_window->menuAction(QStringLiteral("File_compare"))->trigger();
    const QStringList messages = TestSupport::takeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QStringLiteral("bad.dat: ")) && messages.first().contains(QStringLiteral("line 1")),
             qPrintable(messages.first()));
    QVERIFY(!m_window->child(QStringLiteral("frm_compare")));
    QCOMPARE(doc.rows(0, MemoryImage::Rows), start);
}

QTEST_MAIN(TestPlansFromFiles)
#include "tst_plansfromfiles.moc"
