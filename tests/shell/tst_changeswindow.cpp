#include "channels/channelrecord.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "image/imagediff.h"
#include "image/areamap.h"
#include "image/dataorigin.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "options/optionarea.h"
#include "shell/changeswindow.h"
#include "shell/imageinitialisation.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"
#include "texts/commontexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

constexpr int Channel = 150;

QByteArray sentRows(const MemoryImage &image)
{
    MemoryImage prepared(image);
    BulkWrite::prepare(prepared);
    return prepared.rows(0, Area::BulkWriteFrames);
}

} // namespace

class TestChangesWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsWritesAndChecksOnlyWhatDiffers_data();
    void listsWritesAndChecksOnlyWhatDiffers();
    void nothingIsSentBeforeTheButtonOrWithoutABackup_data();
    void nothingIsSentBeforeTheButtonOrWithoutABackup();
    void silentRadioThenASecondRunFinishes();
    void pulledCableDuringTheReadWritesNothing();
    void readBackThatDiffersNamesTheAddresses();
    void backupsAreKeptApartAndListedNewestFirst();

private:
    // The radio holds what a bulk write of the start-up image sends; the document then
    // differs from it in ChangedRows.
    void prepare(RadioOnCom &radio);
    // Opens the window and waits until it has compared (or failed).
    bool openAndCompare();
    bool clickWriteAndWait();
    QStringList topLevelItems() const;

    std::unique_ptr<TestSupport::TemporaryHome> m_home;
    std::unique_ptr<ChangesWindow> m_window;
    MemoryImage m_plan;
};

void TestChangesWindow::init()
{
    TestSupport::resetState();
    m_home = std::make_unique<TestSupport::TemporaryHome>();
    Document::instance().adoptOrigin(QString());
    Timer::setScale(TestSupport::FastTimers);
}

void TestChangesWindow::cleanup()
{
    m_window.reset();
    m_home.reset();
    TestSupport::endState();
}

void TestChangesWindow::prepare(RadioOnCom &radio)
{
    MemoryImage &image = TestSupport::image();
    initialiseMemoryImage(image);
    radio.radio().fillMemory(0xFF);
    const QByteArray held = sentRows(image);
    radio.radio().setMemory(0, std::vector<uint8_t>(held.begin(), held.end()));
    ChannelRecord ch(image, Channel);
    ch.create();
    QVERIFY(ch.setRxFrequency(QStringLiteral("145.5")));
    QVERIFY(ch.setTxFrequency(QStringLiteral("145.5")));
    ch.setName(QStringLiteral("RPT3"));
    AreaView options = OptionArea::view(image);
    Fields::encodePosition(options, *Fields::find(OptionArea::listFields(), "squelch"), 2);
    image.setCell(Area::Fm.firstRow + 1, 5, 0x42);
    m_plan = image;
}

bool TestChangesWindow::openAndCompare()
{
    m_window = std::make_unique<ChangesWindow>();
    QSignalSpy settled(m_window.get(), &ChangesWindow::settled);
    m_window->show();
    return settled.wait(30000);
}

bool TestChangesWindow::clickWriteAndWait()
{
    QSignalSpy settled(m_window.get(), &ChangesWindow::settled);
    TestSupport::press(m_window.get(), "Command_write");
    return settled.wait(30000);
}

QStringList TestChangesWindow::topLevelItems() const
{
    QStringList out;
    auto *list = TestSupport::control<QTreeWidget>(m_window.get(), "List_changes");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char(':') + QString::number(list->topLevelItem(i)->childCount());
    return out;
}

void TestChangesWindow::listsWritesAndChecksOnlyWhatDiffers_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("optionLine");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::newRow("English") << false
                             << QStringList{"Channels (1):1", "FM presets (1):1", "Optional features (1):1"}
                             << "ch 150 new: RX 145.50000, TX 145.50000" << "options squelch " << "Write 4 changes"
                             << "Written and checked: 4 frames.";
    QTest::newRow("Chinese") << true << QStringList{"信道（1）:1", "调频广播（1）:1", "可选功能（1）:1"}
                             << "信道 150 新增：接收 145.50000，发射 145.50000" << "可选功能 静噪电平 " << "写入 4 处改动"
                             << "写入并校验完毕：4 帧。";
}

void TestChangesWindow::listsWritesAndChecksOnlyWhatDiffers()
{
    QFETCH(bool, chinese);
    QFETCH(QStringList, groups);
    QFETCH(QString, firstLine);
    QFETCH(QString, optionLine);
    QFETCH(QString, button);
    QFETCH(QString, result);
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    const QByteArray heldBefore = radio.memory(0, Area::BulkReadRows.byteCount());
    MemoryImage held, planned(m_plan);
    held.setRows(0, heldBefore);
    BulkWrite::prepare(planned);
    // A channel (record and name), an option and an FM byte.
    const QVector<int> rows = ImageDiff::differingRows(held, planned, Area::BulkWriteRows);
    QCOMPARE(rows.size(), 4);
    const int steps = Document::instance().history().count();
    Language::setChinese(chinese);

    QVERIFY(openAndCompare());
    QCOMPARE(topLevelItems(), groups);
    auto *list = TestSupport::control<QTreeWidget>(m_window.get(), "List_changes");
    QVERIFY2(list->topLevelItem(0)->child(0)->text(0).startsWith(firstLine), qPrintable(list->topLevelItem(0)->child(0)->text(0)));
    QVERIFY2(list->topLevelItem(2)->child(0)->text(0).startsWith(optionLine), qPrintable(list->topLevelItem(2)->child(0)->text(0)));
    auto *write = TestSupport::control<QPushButton>(m_window.get(), "Command_write");
    QCOMPARE(write->text(), button);
    QVERIFY(write->isEnabled());
    QCOMPARE(radio.radio().writeFrames(), 0);

    QVERIFY(clickWriteAndWait());
    QCOMPARE(m_window->statusLine()->text(), result);
    QCOMPARE(TestSupport::takeMessages(), QStringList{CommonText::PromptTitle.text(chinese) + QLatin1Char('|') + result});
    // Only the differing frames, ascending, then a read-back of the blocks holding them.
    QVector<int> addresses;
    for (int r : rows)
        addresses << r * 16;
    const std::vector<int> written = radio.radio().writtenAddresses();
    QCOMPARE(QVector<int>(written.begin(), written.end()), addresses);
    // Each of the four lies in a block of its own.
    QCOMPARE(radio.radio().readRequests(), Area::BulkReadBlocks + 4);
    QCOMPARE(radio.memory(0, Area::BulkWriteRows.byteCount()), sentRows(m_plan));
    // The backup holds what the radio held, and the document was never touched.
    const auto backups = Backups::list();
    QCOMPARE(backups.size(), 1);
    QCOMPARE(backups.first().path, m_window->backupPath());
    QCOMPARE(backups.first().radio, QStringLiteral("ORV123456789ABCD"));
    MemoryImage kept;
    QVERIFY(DataFile::load(kept, backups.first().path).ok);
    QCOMPARE(kept.rows(0, Area::BulkReadRows.rowCount()), heldBefore);
    QVERIFY(Document::instance().image() == m_plan);
    QCOMPARE(Document::instance().history().count(), steps);
}

void TestChangesWindow::nothingIsSentBeforeTheButtonOrWithoutABackup_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("otherRadio");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("nothing differs") << "equal" << "The radio already holds these settings." << "" << false
                                     << QStringList{};
    QTest::newRow("band check refuses")
        << "out of band" << "" << "" << false
        << QStringList{"Operate prompt|Channel 9that Receiving or transmitting frequency  out of frequency limitation range "};
    QTest::newRow("data of another radio") << "other radio" << ""
                                           << "This radio (number ORV123456789ABCD) is not the one these settings came from "
                                              "(number ORV000000000000A)."
                                           << true << QStringList{};
    QTest::newRow("backup cannot be kept") << "no backup" << "" << "" << true
                                           << QStringList{"Operate prompt|The backup could not be kept, so nothing was "
                                                          "written to the radio: Cannot create the backup folder"};
}

void TestChangesWindow::nothingIsSentBeforeTheButtonOrWithoutABackup()
{
    QFETCH(QString, setup);
    QFETCH(QString, summary);
    QFETCH(QString, otherRadio);
    QFETCH(bool, writable);
    QFETCH(QStringList, messages);
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    MemoryImage &image = TestSupport::image();
    if (setup == QLatin1String("equal")) {
        const QByteArray held = radio.memory(0, Area::BulkWriteRows.byteCount());
        image.setRows(0, held);
    } else if (setup == QLatin1String("out of band")) {
        // Inside the start-up limits, outside the radio's 136-174: only the identification
        // that comes with the read makes the check refuse.
        ChannelRecord ch(image, 9);
        ch.create();
        QVERIFY(ch.setRxFrequency(QStringLiteral("175")));
    } else if (setup == QLatin1String("other radio")) {
        Document::instance().adoptOrigin(QStringLiteral("ORV000000000000A"));
    } else if (setup == QLatin1String("no backup")) {
        // A file where the backups folder would go.
        const QString data = m_home->path() + QStringLiteral("/data");
        QDir().mkpath(data + QStringLiteral("/orvane-cps"));
        QFile blocker(data + QStringLiteral("/orvane-cps/backups"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    }
    const MemoryImage before = image;

    QVERIFY(openAndCompare());
    auto *write = TestSupport::control<QPushButton>(m_window.get(), "Command_write");
    QCOMPARE(write->isEnabled(), writable);
    QCOMPARE(TestSupport::control<QLabel>(m_window.get(), "Label_summary")->text(), summary);
    auto *other = TestSupport::control<QLabel>(m_window.get(), "Label_other_radio");
    QCOMPARE(other->isVisible(), !otherRadio.isEmpty());
    QCOMPARE(other->text(), otherRadio);
    if (setup == QLatin1String("no backup")) {
        TestSupport::press(m_window.get(), "Command_write");
        QVERIFY(!m_window->isBusy());
    }
    const QStringList shown = TestSupport::takeMessages();
    QCOMPARE(shown.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(shown.at(i).startsWith(messages.at(i)), qPrintable(shown.at(i)));
    QCOMPARE(radio.radio().writeFrames(), 0);
    QVERIFY(Document::instance().image() == before);
}

void TestChangesWindow::silentRadioThenASecondRunFinishes()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    vradio::Faults faults;
    faults.silentAfterWriteFrames = 2;
    radio.radio().setFaults(faults);

    QVERIFY(openAndCompare());
    QVERIFY(clickWriteAndWait());
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{"Operate prompt|Writing stopped after 2 of 4 frames. The radio now holds a mix of old and new "
                         "settings; running \"Write changes to radio...\" again finishes the job."});
    QCOMPARE(m_window->statusLine()->text(), QStringLiteral("Communication fault."));
    QCOMPARE(Backups::list().size(), 1);
    QVERIFY(QFile::exists(m_window->backupPath()));

    // The second run re-reads, so it sends only the two frames still missing.
    radio.radio().setFaults(vradio::Faults{});
    radio.radio().resetCounters();
    QVERIFY(openAndCompare());
    QCOMPARE(TestSupport::control<QPushButton>(m_window.get(), "Command_write")->text(), QStringLiteral("Write 2 changes"));
    QVERIFY(clickWriteAndWait());
    QCOMPARE(m_window->statusLine()->text(), QStringLiteral("Written and checked: 2 frames."));
    QCOMPARE(radio.radio().writeFrames(), 2);
    QCOMPARE(radio.memory(0, Area::BulkWriteRows.byteCount()), sentRows(m_plan));
    QCOMPARE(Backups::list().size(), 2);
}

void TestChangesWindow::pulledCableDuringTheReadWritesNothing()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    const MemoryImage before = TestSupport::image();
    m_window = std::make_unique<ChangesWindow>();
    connect(&m_window->changes(), &ChangedWrite::progress, this, [&radio](int done) {
        if (done == 50) {
            radio.radio().hangUp();
            radio.radio().removeLink();
        }
    });
    QSignalSpy settled(m_window.get(), &ChangesWindow::settled);
    m_window->show();
    QVERIFY(settled.wait(30000));
    QCOMPARE(m_window->changes().failure(), ChangedWrite::Failure::Read);
    const QStringList shown = TestSupport::takeMessages();
    QVERIFY2(shown.contains(QStringLiteral("Operate prompt|Fail connect with transceiver.")), qPrintable(shown.join('\n')));
    QVERIFY(!TestSupport::control<QPushButton>(m_window.get(), "Command_write")->isEnabled());
    QCOMPARE(radio.radio().writeFrames(), 0);
    QVERIFY(Document::instance().image() == before);
    QVERIFY(Backups::list().isEmpty());
}

void TestChangesWindow::readBackThatDiffersNamesTheAddresses()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    vradio::Faults faults;
    faults.storeWrongOnceAt = Area::ChannelNames.firstAddress() + Channel * 16;
    radio.radio().setFaults(faults);

    QVERIFY(openAndCompare());
    QVERIFY(clickWriteAndWait());
    QCOMPARE(m_window->changes().failure(), ChangedWrite::Failure::Mismatch);
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{"Operate prompt|All 4 frames went, but reading them back found different bytes at 0x1960. The "
                         "radio now holds a mix of old and new settings; running \"Write changes to radio...\" again "
                         "finishes the job."});
}

void TestChangesWindow::backupsAreKeptApartAndListedNewestFirst()
{
    MemoryImage image;
    image.setCell(5, 5, 0x55);
    const QDateTime t = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC);
    QString first, second, other;
    QVERIFY(Backups::keep(image, QStringLiteral("AB/CD 12"), &first, t).ok);
    // The same second again never replaces the first.
    QVERIFY(Backups::keep(image, QStringLiteral("AB/CD 12"), &second, t).ok);
    QVERIFY(Backups::keep(image, QString(), &other, t.addSecs(60)).ok);
    const QString root = Backups::folder();
    QCOMPARE(root, m_home->path() + QStringLiteral("/.local/share/orvane-cps/backups"));
    QCOMPARE(first, root + QStringLiteral("/AB_CD_12/20260304-050607.dat"));
    QCOMPARE(second, root + QStringLiteral("/AB_CD_12/20260304-050607-2.dat"));
    QCOMPARE(other, root + QStringLiteral("/unknown/20260304-050707.dat"));
    QStringList all;
    for (const Backups::Entry &e : Backups::list())
        all << e.path;
    QCOMPARE(all, QStringList({other, second, first}));
    QCOMPARE(Backups::list(QStringLiteral("AB/CD 12")).size(), 2);
    QCOMPARE(Backups::radioOf(first), QStringLiteral("AB_CD_12"));
    QCOMPARE(Backups::radioOf(m_home->path() + QStringLiteral("/plan.dat")), QString());
    MemoryImage loaded;
    QVERIFY(DataFile::load(loaded, first).ok);
    QVERIFY(loaded == image);
}

QTEST_MAIN(TestChangesWindow)
#include "tst_changeswindow.moc"
