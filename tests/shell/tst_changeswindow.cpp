#include "channels/channelrecord.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "files/radiohistory.h"
#include "image/imagediff.h"
#include "image/areamap.h"
#include "image/dataorigin.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "link/changedwritetexts.h"
#include "options/optionarea.h"
#include "shell/changeswindow.h"
#include "shell/imageinitialisation.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"
#include "texts/commontexts.h"

#include <QCheckBox>
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
    void quickWriteChecksOnlyTheTouchedBlocks_data();
    void quickWriteChecksOnlyTheTouchedBlocks();

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
    ConfirmedMemory::setRecorder({});
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
                             << "ch 150 new: RX 145.50000, TX 145.50000" << "options squelch " << "Write 3 changes"
                             << "Written and checked: 4 frames.";
    QTest::newRow("Chinese") << true << QStringList{"信道（1）:1", "调频广播（1）:1", "可选功能（1）:1"}
                             << "信道 150 新增：接收 145.50000，发射 145.50000" << "可选功能 静噪电平 " << "写入 3 处改动"
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

void TestChangesWindow::quickWriteChecksOnlyTheTouchedBlocks_data()
{
    // What happens to the radio after its snapshot (or to the snapshot) before the window
    // opens; whether the quick path wrote; how many blocks were read in all; the start of
    // the baseline line; the button.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("quick");
    QTest::addColumn<int>("blocksRead");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("button");
    const int whole = Area::BulkReadBlocks;
    const int probedThenWhole = 4 + Area::BulkReadBlocks;
    QTest::newRow("baseline holds") << "" << false << true << 4 << "Measured against the radio as it was on "
                                    << "Write 3 changes";
    QTest::newRow("in Chinese") << "" << true << true << 4 << "以对讲机在 " << "写入 3 处改动";
    QTest::newRow("one change") << "one change" << false << true << 1 << "Measured against the radio as it was on "
                                << "Write 1 change";
    QTest::newRow("RX edit, TX follows") << "rx edit" << false << true << 1 << "Measured against the radio as it was on "
                                         << "Write 2 changes";
    QTest::newRow("touched block changed since") << "stale touched" << false << false << probedThenWhole
                                                 << "The radio has changed since " << "Write 3 changes";
    QTest::newRow("untouched block changed since") << "stale elsewhere" << false << true << 4
                                                   << "Measured against the radio as it was on " << "Write 3 changes";
    QTest::newRow("write cut off half way") << "cut off" << false << false << probedThenWhole << "The radio has changed since "
                                            << "Write 2 changes";
    QTest::newRow("damaged baseline") << "damaged" << false << false << whole
                                      << "The radio's history copy of " << "Write 3 changes";
    QTest::newRow("other model") << "other model" << false << false << whole << "The radio's history copy of "
                                 << "Write 3 changes";
    QTest::newRow("another radio on the line") << "other radio" << false << false << whole << "" << "Write 3 changes";
    QTest::newRow("whole read asked for") << "forced" << false << false << whole << "" << "Write 3 changes";
}

void TestChangesWindow::quickWriteChecksOnlyTheTouchedBlocks()
{
    QFETCH(QString, setup);
    QFETCH(bool, chinese);
    QFETCH(bool, quick);
    QFETCH(int, blocksRead);
    QFETCH(QString, note);
    QFETCH(QString, button);
    RadioHistory::install();
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    prepare(radio);
    RadioIdentity id;
    id.number = QStringLiteral("ORV123456789ABCD");
    id.modelName = setup == QLatin1String("other model") ? QStringLiteral("OR-78U") : QStringLiteral("OR-78V");
    if (setup == QLatin1String("other radio"))
        id.number = QStringLiteral("ORV000000000000A");
    MemoryImage held;
    held.setRows(0, radio.memory(0, Area::BulkReadRows.byteCount()));
    const RadioHistory::Recorded snapshot =
        RadioHistory::record(held, id, RadioHistory::Kind::Read, Area::BulkReadRows, QDateTime::currentDateTimeUtc().addSecs(-60));
    QVERIFY(snapshot.added);
    MemoryImage &image = TestSupport::image();
    const int elsewhere = 100 * 16; // channel 100's record: no change touches its block
    if (setup == QLatin1String("one change") || setup == QLatin1String("rx edit")) {
        image.setRows(0, held.rows(0, Area::BulkReadRows.rowCount()));
        if (setup == QLatin1String("one change"))
            image.setCell(Area::Fm.firstRow + 1, 5, 0x42);
        else {
            ChannelRecord ch(image, 3);
            ch.create();
            QVERIFY(ch.setRxFrequency(QStringLiteral("145.5")));
            QVERIFY(ch.setTxFrequency(QStringLiteral("145.5")));
            const QByteArray row = image.row(3);
            radio.radio().setMemory(3 * 16, std::vector<uint8_t>(row.begin(), row.end()));
            held.setRows(3, image.row(3));
            QVERIFY(RadioHistory::record(held, id, RadioHistory::Kind::Read).added);
            // As the grid does: the TX follows an RX edit.
            QVERIFY(ch.setRxFrequency(QStringLiteral("146.5")));
            QVERIFY(ch.setTxFrequency(QStringLiteral("146.5")));
        }
        m_plan = image;
    } else if (setup == QLatin1String("stale touched")) {
        radio.radio().setMemory(Channel * 16 + 8, {0x12, 0x34});
    } else if (setup == QLatin1String("stale elsewhere")) {
        radio.radio().setMemory(elsewhere, std::vector<uint8_t>(16, 0x5A));
    } else if (setup == QLatin1String("damaged")) {
        QFile file(snapshot.path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(" 0 0 0 1 2\r\n");
    } else if (setup == QLatin1String("other radio")) {
        Document::instance().adoptOrigin(QStringLiteral("ORV000000000000A"));
    } else if (setup == QLatin1String("cut off")) {
        vradio::Faults faults;
        faults.silentAfterWriteFrames = 2;
        radio.radio().setFaults(faults);
        QVERIFY(openAndCompare());
        QVERIFY(clickWriteAndWait());
        QCOMPARE(m_window->changes().failure(), ChangedWrite::Failure::Write);
        radio.radio().setFaults(vradio::Faults{});
        TestSupport::takeMessages();
        m_window.reset();
    }
    const std::vector<uint8_t> elsewhereBefore = radio.radio().memory(elsewhere, 16);
    radio.radio().resetCounters();
    Language::setChinese(chinese);

    m_window = std::make_unique<ChangesWindow>();
    TestSupport::control<QCheckBox>(m_window.get(), "Check_whole_read")->setChecked(setup == QLatin1String("forced"));
    QSignalSpy settled(m_window.get(), &ChangesWindow::settled);
    m_window->show();
    QVERIFY(settled.wait(30000));
    auto *label = TestSupport::control<QLabel>(m_window.get(), "Label_baseline");
    QVERIFY2(m_window->changes().isQuick() == quick, qPrintable(label->text()));
    QVERIFY2(label->isVisible() == !note.isEmpty() && (note.isEmpty() || label->text().startsWith(note)), qPrintable(label->text()));
    if (quick)
        QVERIFY2(label->text().contains(ChangedWriteText::timeText(QDateTime::currentDateTimeUtc().addSecs(-60), chinese).left(10)),
                 qPrintable(label->text()));
    QCOMPARE(TestSupport::control<QLabel>(m_window.get(), "Label_other_radio")->isVisible(), setup == QLatin1String("other radio"));
    QCOMPARE(TestSupport::control<QPushButton>(m_window.get(), "Command_write")->text(), button);
    QCOMPARE(radio.radio().writeFrames(), 0);

    QVERIFY(clickWriteAndWait());
    QCOMPARE(m_window->changes().stage(), ChangedWrite::Stage::Done);
    // Before: the touched blocks only (or the whole radio); after: the written ones again.
    QCOMPARE(radio.radio().readRequests(), blocksRead + int(ChangedWrite::checkBlocks(m_window->changes().frames()).size()));
    QCOMPARE(radio.memory(0, Area::BulkWriteRows.byteCount()).mid(0, elsewhere), sentRows(m_plan).mid(0, elsewhere));
    QCOMPARE(radio.memory(elsewhere + 64, Area::BulkWriteRows.byteCount() - elsewhere - 64),
             sentRows(m_plan).mid(elsewhere + 64));
    // A block no change touches keeps the radio's own bytes, whatever the baseline says.
    QCOMPARE(radio.radio().memory(elsewhere, 16), elsewhereBefore);
    // What the write left is the radio's newest snapshot now, and no written one is offered
    // for a restore.
    const RadioHistory::Snapshot newest = RadioHistory::baseline(m_window->changes().identity().number);
    QCOMPARE(newest.kind, RadioHistory::Kind::Written);
    MemoryImage written;
    QVERIFY(RadioHistory::load(newest, written).ok);
    QCOMPARE(written.rows(0, Area::BulkWriteFrames).mid(elsewhere + 64), sentRows(m_plan).mid(elsewhere + 64));
    for (const Backups::Entry &e : Backups::list())
        QVERIFY(e.path != newest.path);
    QVERIFY(Document::instance().image() == m_plan);
}

QTEST_MAIN(TestChangesWindow)
#include "tst_changeswindow.moc"
