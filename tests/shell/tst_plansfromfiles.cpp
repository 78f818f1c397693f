#include "support/testsupport.h"
#include "channels/channelcsv.h"
#include "channels/channelmerge.h"
#include "channels/channelrecord.h"
#include "channels/repeaterlist.h"
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
#include "shell/mergepanel.h"
#include "shell/mergewindow.h"
#include "shell/repeaterwindow.h"
#include "shell/plansource.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
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
    void mergeFromEachKindOfFile_data();
    void mergeFromEachKindOfFile();
    void mergeWindowSpeaksChinese();
    void badMergeFileChangesNothing();
    void repeaterListNearAndSides();
    void repeaterListBadInputChangesNothing();

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

namespace {

// A plan whose channels 0, 1 and 3 are in use and nothing else.
void documentWithChannels()
{
    MemoryImage &doc = TestSupport::image();
    for (int ch = 0; ch < ChannelRecord::Count; ++ch)
        clearChannel(doc, ch);
    for (int ch : {0, 1, 3}) {
        createChannel(doc, ch);
        ChannelRecord(doc, ch).setRxFrequencyHz(145000000 + ch * 25000);
        ChannelRecord(doc, ch).setTxFrequencyHz(145000000 + ch * 25000);
    }
    Document::instance().history().clear();
}

// The source of the merge: channel 0 equals the plan's channel 1, channel 5 lies outside
// the bands, channels 7 and 9 are new.
MemoryImage sourcePlan()
{
    MemoryImage source;
    auto add = [&](int ch, qint64 hz, const char *name) {
        createChannel(source, ch);
        ChannelRecord(source, ch).setRxFrequencyHz(hz);
        ChannelRecord(source, ch).setTxFrequencyHz(hz);
        ChannelRecord(source, ch).setName(QString::fromLatin1(name));
    };
    add(0, 145025000, "SAME");
    add(5, 200000000, "FAR");
    add(7, 433500000, "NEW7");
    add(9, 438025000, "NEW9");
    return source;
}

int checkedRows(const QTableWidget *table)
{
    int n = 0;
    for (int r = 0; r < table->rowCount(); ++r)
        n += table->item(r, MergePanel::Check)->checkState() == Qt::Checked ? 1 : 0;
    return n;
}

} // namespace

void TestPlansFromFiles::mergeFromEachKindOfFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    const MemoryImage source = sourcePlan();
    QTest::newRow("data file") << "source.dat" << DataFile::format(source);
    QTest::newRow("channel CSV") << "source.csv" << ChannelCsv::write(source, PlanSource::AnyBand);
    QTest::newRow("configuration text") << "source.yaml" << ConfigText::exportImage(source);
}

void TestPlansFromFiles::mergeFromEachKindOfFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    documentWithChannels();
    const QString path = m_dir.filePath(file);
    writeFile(path, bytes);
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return path; });
    const MemoryImage &doc = TestSupport::image();
    const QByteArray start = doc.rows(0, MemoryImage::Rows);

    m_window->menuAction(QStringLiteral("File_merge"))->trigger();
    auto *window = qobject_cast<MergeWindow *>(m_window->child(QStringLiteral("frm_merge")));
    QVERIFY(window);
    MergePanel *panel = window->panel();
    QTableWidget *table = panel->table();
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(checkedRows(table), 2);
    QCOMPARE(table->item(0, MergePanel::Note)->text(), QStringLiteral("same as channel 1"));
    QCOMPARE(table->item(1, MergePanel::Note)->text(), QStringLiteral("Over the range of receive frequency ."));
    auto *counts = panel->findChild<QLabel *>(QStringLiteral("Label_counts"));
    QVERIFY(counts->text().startsWith(QStringLiteral("1 channels are already in the plan")));
    QVERIFY(counts->text().contains(QStringLiteral("1 channels lie outside")));
    // The preview: into the empty channels from 0 on, so 2 and 4.
    QCOMPARE(table->item(2, MergePanel::LandsOn)->text(), QStringLiteral("channel 2"));
    QCOMPARE(table->item(3, MergePanel::LandsOn)->text(), QStringLiteral("channel 4"));
    auto *merge = panel->findChild<QPushButton *>(QStringLiteral("Command_merge"));
    QCOMPARE(merge->text(), QStringLiteral("Merge 2 channels"));
    QCOMPARE(doc.rows(0, MemoryImage::Rows), start); // the preview changes nothing

    // Insert at 1: the plan's 1 moves to 3's place, 3 down to 4, the new ones at 1 and 2.
    panel->findChild<QRadioButton *>(QStringLiteral("Option_insert"))->click();
    panel->findChild<QSpinBox *>(QStringLiteral("Text_start"))->setValue(1);
    QCOMPARE(table->item(2, MergePanel::LandsOn)->text(), QStringLiteral("channel 1"));
    QCOMPARE(table->item(3, MergePanel::LandsOn)->text(), QStringLiteral("channel 2"));
    merge->click();
    QCOMPARE(ChannelRecord(doc, 1).nameText(), QStringLiteral("NEW7"));
    QCOMPARE(ChannelRecord(doc, 2).nameText(), QStringLiteral("NEW9"));
    QCOMPARE(ChannelRecord(doc, 3).rxFrequencyText(), QStringLiteral("145.02500"));
    QCOMPARE(ChannelRecord(doc, 4).rxFrequencyText(), QStringLiteral("145.07500"));
    const QStringList messages = TestSupport::takeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QStringLiteral("merged 2, refused 1, skipped 1")), qPrintable(messages.first()));
    QVERIFY(!m_window->child(QStringLiteral("frm_merge")));

    // One step, taken back whole.
    QCOMPARE(Document::instance().history().count(), 1);
    Document::instance().undo();
    QCOMPARE(doc.rows(0, MemoryImage::Rows), start);
}

void TestPlansFromFiles::mergeWindowSpeaksChinese()
{
    documentWithChannels();
    Language::setChinese(true);
    MergePanel panel(StepLabel(QStringLiteral("m"), QStringLiteral("m")));
    panel.setRows(ChannelMerge::rowsOf(sourcePlan()), false);
    QCOMPARE(panel.findChild<QRadioButton *>(QStringLiteral("Option_empty"))->text(), QStringLiteral("从 N 号起放入空信道"));
    QCOMPARE(panel.findChild<QRadioButton *>(QStringLiteral("Option_insert"))->text(), QStringLiteral("在 N 号插入，其余下移"));
    QCOMPARE(panel.findChild<QRadioButton *>(QStringLiteral("Option_replace"))->text(), QStringLiteral("替换相同编号"));
    QCOMPARE(panel.findChild<QPushButton *>(QStringLiteral("Command_merge"))->text(), QStringLiteral("合并 2 个信道"));
    QCOMPARE(panel.table()->horizontalHeaderItem(MergePanel::Rx)->text(), QStringLiteral("接收频率(MHZ)"));
    // Replacing the same numbers puts 7 and 9 where they were.
    panel.setPlacement(ChannelMerge::Placement::ReplaceSame, 0);
    QCOMPARE(panel.table()->item(2, MergePanel::LandsOn)->text(), QStringLiteral("信道 7"));
    // Nothing below channel 199 is empty: the insert is refused before anything changes.
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        createChannel(TestSupport::image(), ch);
        ChannelRecord(TestSupport::image(), ch).setRxFrequencyHz(146000000 + ch * 12500);
    }
    const QByteArray full = TestSupport::image().rows(0, MemoryImage::Rows);
    panel.setPlacement(ChannelMerge::Placement::InsertAt, 5);
    QVERIFY(!panel.findChild<QPushButton *>(QStringLiteral("Command_merge"))->isEnabled());
    QVERIFY(panel.findChild<QLabel *>(QStringLiteral("Label_preview"))->text().startsWith(QStringLiteral("下方没有空信道")));
    QVERIFY(!panel.mergeNow());
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), full);
    QCOMPARE(Document::instance().history().count(), 0);
}

void TestPlansFromFiles::badMergeFileChangesNothing()
{
    documentWithChannels();
    const QString path = m_dir.filePath(QStringLiteral("bad.csv"));
    writeFile(path, "Location,Name,Frequency\r\n3,AB,145.5\r\n4,CD,14x5\r\n");
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return path; });
    const QByteArray start = TestSupport::image().rows(0, MemoryImage::Rows);
    for (bool chinese : {false, true}) {
        Language::setChinese(chinese);
        m_window->menuAction(QStringLiteral("File_merge"))->trigger();
        const QStringList messages = TestSupport::takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(chinese ? QStringLiteral("第 3 行，Frequency 列") : QStringLiteral("Line 3, column Frequency")),
                 qPrintable(messages.first()));
        QVERIFY(!m_window->child(QStringLiteral("frm_merge")));
    }
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), start);
    QCOMPARE(Document::instance().history().count(), 0);
}

void TestPlansFromFiles::repeaterListNearAndSides()
{
    documentWithChannels();
    const QString path = m_dir.filePath(QStringLiteral("repeaters.csv"));
    writeFile(path, "CALLSIGN,UPLINK_FREQUENCY,DOWNLINK_FREQUENCY,OFFSET,UPLINK_CTCSS,DOWNLINK_CTCSS,NEAR_CITY,LATITUDE,LONGITUDE\r\n"
                    "DB0FAR,430.2,439.8,-9.4,,,Berlin,52.5,13.4\r\n"
                    "DB0NEAR1,144.9,145.5,-0.6,88.5,,Munich,48.14,11.58\r\n"
                    "DM0NOPO,144.95,145.55,,,,Nowhere,,\r\n"
                    "DB0LOW,50.2,50.8,,,,Low,48.0,11.5\r\n");
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return path; });
    const QByteArray start = TestSupport::image().rows(0, MemoryImage::Rows);
    m_window->menuAction(QStringLiteral("File_import_repeaters"))->trigger();
    auto *window = qobject_cast<RepeaterWindow *>(m_window->child(QStringLiteral("frm_repeaters")));
    QVERIFY(window);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label_layout"))->text(),
             QStringLiteral("Columns recognised as: directory (UPLINK/DOWNLINK)."));
    QCOMPARE(window->fieldBox(RepeaterList::Field::Output)->currentText(), QStringLiteral("DOWNLINK_FREQUENCY"));
    QCOMPARE(window->findChild<QRadioButton *>(QStringLiteral("Option_side_repeater"))->text(),
             QStringLiteral("as the repeater transmits"));
    QVERIFY(window->findChild<QRadioButton *>(QStringLiteral("Option_side_repeater"))->isChecked());
    QTableWidget *table = window->panel()->table();
    QCOMPARE(table->rowCount(), 4);
    QVERIFY(table->isColumnHidden(MergePanel::Distance));
    QCOMPARE(table->item(1, MergePanel::Rx)->text(), QStringLiteral("145.50000"));
    QCOMPARE(table->item(1, MergePanel::TxTone)->text(), QStringLiteral("88.5"));
    QCOMPARE(table->item(1, MergePanel::RxTone)->text(), QStringLiteral("OFF"));
    QCOMPARE(table->item(1, MergePanel::Name)->text(), QStringLiteral("DB0NEA"));
    QVERIFY(table->item(1, MergePanel::Note)->text().contains(QStringLiteral("name cut from \"DB0NEAR1\" to \"DB0NEA\"")));
    QCOMPARE(table->item(3, MergePanel::Note)->text(), QStringLiteral("Over the range of receive frequency ."));

    // Near Munich within 100 km: nearest first, Berlin unchecked, no coordinates last.
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("Text_location")), QStringLiteral("JN58td"));
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("Text_radius")), QStringLiteral("100"));
    window->findChild<QPushButton *>(QStringLiteral("Command_apply"))->click();
    QVERIFY(!table->isColumnHidden(MergePanel::Distance));
    QStringList names;
    for (int r = 0; r < table->rowCount(); ++r)
        names << table->item(r, MergePanel::Name)->text();
    QCOMPARE(names, (QStringList{"DB0NEA", "DB0LOW", "DB0FAR", "DM0NOP"}));
    QCOMPARE(checkedRows(table), 1);
    QCOMPARE(table->item(0, MergePanel::LandsOn)->text(), QStringLiteral("channel 2"));

    // Read as the radio's settings, the same columns turn round.
    window->findChild<QRadioButton *>(QStringLiteral("Option_side_radio"))->click();
    QCOMPARE(table->item(0, MergePanel::Rx)->text(), QStringLiteral("144.90000"));
    QCOMPARE(table->item(0, MergePanel::RxTone)->text(), QStringLiteral("88.5"));
    window->findChild<QRadioButton *>(QStringLiteral("Option_side_repeater"))->click();

    window->panel()->findChild<QPushButton *>(QStringLiteral("Command_merge"))->click();
    const ChannelRecord merged(TestSupport::image(), 2);
    QCOMPARE(merged.rxFrequencyText(), QStringLiteral("145.50000"));
    QCOMPARE(merged.txFrequencyText(), QStringLiteral("144.90000"));
    QCOMPARE(merged.txToneText(), QStringLiteral("88.5"));
    QCOMPARE(merged.nameText(), QStringLiteral("DB0NEA"));
    QVERIFY(TestSupport::takeMessages().first().contains(QStringLiteral("merged 1, refused 1, skipped 2")));
    QCOMPARE(Document::instance().history().count(), 1);
    Document::instance().undo();
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), start);
}

void TestPlansFromFiles::repeaterListBadInputChangesNothing()
{
    documentWithChannels();
    const QString path = m_dir.filePath(QStringLiteral("repeaters.csv"));
    writeFile(path, "callsign,frequency_tx,frequency_rx,lat,lon\nA,145.6,145.0,48.1,11.5\nB,145.7,145.1,4B.1,11\n");
    FileMenuDialog::setChooser([&](const FileMenuDialog::Ask &) { return path; });
    const QByteArray start = TestSupport::image().rows(0, MemoryImage::Rows);
    Language::setChinese(true);
    m_window->menuAction(QStringLiteral("File_import_repeaters"))->trigger();
    auto *window = qobject_cast<RepeaterWindow *>(m_window->child(QStringLiteral("frm_repeaters")));
    QVERIFY(window);
    auto *problem = window->findChild<QLabel *>(QStringLiteral("Label_problem"));
    QCOMPARE(problem->text(), QStringLiteral("第 3 行，lat 列，值“4B.1”：不是以度表示的纬度（-90 至 90）"));
    auto *merge = window->panel()->findChild<QPushButton *>(QStringLiteral("Command_merge"));
    QVERIFY(!merge->isEnabled());
    QCOMPARE(window->panel()->table()->rowCount(), 0);

    // Without the latitude column the list reads; a location that is none is named.
    QComboBox *lat = window->fieldBox(RepeaterList::Field::Latitude);
    lat->setCurrentIndex(0);
    emit lat->activated(0);
    QVERIFY(problem->isHidden());
    QCOMPARE(window->panel()->table()->rowCount(), 2);
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("Text_location")), QStringLiteral("JN5"));
    window->findChild<QPushButton *>(QStringLiteral("Command_apply"))->click();
    QCOMPARE(problem->text(), QStringLiteral("我的位置“JN5”：既不是 4 或 6 位的网格坐标，也不是以度表示的纬度、经度。"));
    QVERIFY(!merge->isEnabled());
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), start);
    QCOMPARE(Document::instance().history().count(), 0);
}

QTEST_MAIN(TestPlansFromFiles)
#include "tst_plansfromfiles.moc"
