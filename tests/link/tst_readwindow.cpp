// Form_Comm_Read through its buttons, against the virtual radio on a pseudo-terminal.

#include "support/radiofixture.h"
#include "support/testsupport.h"

#include "files/backups.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/dataorigin.h"
#include "link/confirmedmemory.h"
#include "image/memoryimage.h"
#include "link/readwindow.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "texts/language.h"
#include "shell/radiostatus.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {
constexpr int ReadTimeoutMs = 30000;

// Every row marked, rows 788 onward differently, so both "replaced" and "unchanged" show.
void markImage()
{
    MemoryImage &image = TestSupport::image();
    image.fill(Area::BulkReadRows.firstRow, Area::BulkReadRows.lastRow, 0x44);
    image.fill(Area::FileOnly.firstRow, Area::FileOnly.lastRow, 0x33);
}

struct Hosted : TestSupport::Hosted<ReadWindow>
{
    QPushButton *button(const char *name) { return TestSupport::control<QPushButton>(window, name); }
    QString status() { return window->statusLine()->text(); }
    QProgressBar *progress() { return window->progressBar(); }
    // Clicks Read and waits for the read to end, one way or the other.
    bool readToTheEnd()
    {
        QSignalSpy finished(&window->engine(), &ExchangeEngine::finished);
        QSignalSpy failed(&window->engine(), &ExchangeEngine::failed);
        QTest::mouseClick(button("Command_read"), Qt::LeftButton);
        return waitForTheEnd(finished, failed);
    }
    static bool waitForTheEnd(QSignalSpy &finished, QSignalSpy &failed)
    {
        QElapsedTimer clock;
        clock.start();
        while (finished.isEmpty() && failed.isEmpty() && clock.elapsed() < ReadTimeoutMs)
            finished.wait(100);
        return !finished.isEmpty() || !failed.isEmpty();
    }
};

// Waits until block k has arrived and returns the status line as it read right then
// (a block lasts about 16 ms, far too short to catch by polling the label).
// The progress bar's value comes along as " @value".
QString statusAtBlock(Hosted &hosted, int k)
{
    QString seen;
    QObject guard;
    QObject::connect(&hosted.window->engine(), &ExchangeEngine::progress, &guard, [&](int block, int) {
        if (block == k)
            seen = hosted.status() + QStringLiteral(" @%1").arg(hosted.progress()->value());
    });
    QElapsedTimer clock;
    clock.start();
    while (seen.isEmpty() && clock.elapsed() < ReadTimeoutMs)
        QTest::qWait(5);
    return seen;
}

} // namespace

class TestReadWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captionsAndPlacement();
    void fullRead_data();
    void fullRead();
    void replyWithXAtOffsetTwoFailsTheRead();
    void silentRadio_data();
    void silentRadio();
    void cancelIsRefusedWhileBusy();
    void closingTheFrameStopsTheTransfer();
    void portHeldElsewhere();
};

void TestReadWindow::init()
{
    TestSupport::resetState();
    markImage();
}

void TestReadWindow::cleanup()
{
    TestSupport::endState();
}

void TestReadWindow::captionsAndPlacement()
{
    {
        ReadWindow window;
        QCOMPARE(window.objectName(), QStringLiteral("Form_Comm_Read"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Read Data From Radio"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_read"))->text(), QStringLiteral("Read"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_Cancel"))->text(), QStringLiteral("Cancel"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_Help"))->text(), QStringLiteral("Help"));
        QVERIFY(window.findChild<QProgressBar *>(QStringLiteral("ProgressBar1")));
        QVERIFY(window.findChild<QLabel *>(QStringLiteral("Label_tr_count")));
        QCOMPARE(window.engine().pacing().retryPauseMs, 3000);
        QCOMPARE(window.engine().pacing().timeoutAfterLastMs, 1000);
    }
    Language::setChinese(true);
    {
        ReadWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("从对讲机读取数据"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_read"))->text(), QStringLiteral("读取"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_Cancel"))->text(), QStringLiteral("取消"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_Help"))->text(), QStringLiteral("帮助"));
    }
    QCOMPARE(ReadWindow::placement(QSize(1000, 800)), QRect(300, 413, 400, 200));
    QCOMPARE(ReadWindow::placement(QSize(1280, 1024)), QRect(384, 529, 512, 256));
}

void TestReadWindow::fullRead_data()
{
    QTest::addColumn<int>("strayBytes");
    QTest::addColumn<bool>("historyBlocked");
    QTest::newRow("clean replies") << 0 << false;
    QTest::newRow("a stray byte before X") << 1 << false;
    // The read does and says exactly the same; only the history window tells.
    QTest::newRow("the history cannot keep the snapshot") << 0 << true;
}

void TestReadWindow::fullRead()
{
    QFETCH(int, strayBytes);
    QFETCH(bool, historyBlocked);
    TestSupport::TemporaryHome home;
    if (historyBlocked) {
        RadioHistory::install();
        // A file where the history's folder should be: nothing goes below it, even as root.
        QVERIFY(QDir().mkpath(QFileInfo(Backups::folder()).absolutePath()));
        QFile blocker(Backups::folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    Document::instance().adoptOrigin(QStringLiteral("ORV0000000000001"));
    RadioOnCom com(1);
    QVERIFY(com.ok());
    com.fillPattern();
    vradio::Faults faults;
    faults.strayBeforeX = strayBytes;
    com.radio().setFaults(faults);
    RadioStatus::instance().clearValues();
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);

    Hosted hosted;
    QSignalSpy finished(&hosted.window->engine(), &ExchangeEngine::finished);
    QSignalSpy failed(&hosted.window->engine(), &ExchangeEngine::failed);
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(hosted.window->state(), ReadWindow::State::Connecting);
    QVERIFY(hosted.progress()->isVisible());
    QCOMPARE(hosted.progress()->value(), 0);
    QCOMPARE(hosted.status(), QStringLiteral("Connecting with transceiver. "));
    // A second press while the first read runs is refused with the busy message.
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{QStringLiteral("Operate prompt|Read-write operating with transceiver .")});

    QCOMPARE(statusAtBlock(hosted, 100), QStringLiteral("Reading 100 Data Block @49"));
    QCOMPARE(hosted.window->state(), ReadWindow::State::Transferring);
    // The identification went to the same status panels as the main window's.
    QCOMPARE(RadioStatus::instance().panelText(8), QStringLiteral("136--174 MHZ"));

    QVERIFY(Hosted::waitForTheEnd(finished, failed));
    QCOMPARE(hosted.window->state(), ReadWindow::State::Finished);
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{QStringLiteral("Operate prompt|Complete reading data from the transceiver.")});
    QCOMPARE(hosted.status(), QStringLiteral("Read Data is Ok ！"));
    QCOMPARE(hosted.progress()->value(), 99);
    QCOMPARE(com.radio().readRequests(), Area::BulkReadBlocks);

    const MemoryImage &image = TestSupport::image();
    const int storedRows = Area::BulkReadRows.rowCount();
    QCOMPARE(image.rows(0, storedRows), com.memory(0x0000, storedRows * 16));
    for (int row = Area::FileOnly.firstRow; row <= Area::FileOnly.lastRow; ++row)
        QCOMPARE(image.row(row), QByteArray(16, char(0x33)));
    QVERIFY(!hosted.window->engine().port().isOpen());
    // The radio is the data's origin, in the read's own step: Undo takes both back.
    QVERIFY(!DataOrigin::number().isEmpty() && DataOrigin::number() != QStringLiteral("ORV0000000000001"));
    Document::instance().undo();
    QCOMPARE(DataOrigin::number(), QStringLiteral("ORV0000000000001"));
    if (historyBlocked) {
        ConfirmedMemory::setRecorder({});
        QVERIFY(RadioHistory::lastFailure(false).startsWith(QStringLiteral("The radio history could not keep what radio")));
        QVERIFY(QFileInfo(Backups::folder()).isFile());
    }
    Document::instance().adoptOrigin(QString());
}

void TestReadWindow::replyWithXAtOffsetTwoFailsTheRead()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    com.fillPattern();
    vradio::Faults faults;
    faults.strayBeforeX = 2;
    faults.strayBlock = 120;
    com.radio().setFaults(faults);
    const MemoryImage before = TestSupport::image();
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);

    Hosted hosted;
    QVERIFY(hosted.readToTheEnd());
    QCOMPARE(hosted.window->state(), ReadWindow::State::Failed);
    // All 200 blocks were read and acknowledged; the decode refused them.
    QCOMPARE(com.radio().readRequests(), Area::BulkReadBlocks);
    QCOMPARE(com.radio().handshakes(), 1);
    QCOMPARE(TestSupport::takeMessages(), QStringList{QStringLiteral("Operate prompt|Fail connect with transceiver.")});
    QCOMPARE(hosted.status(), QStringLiteral("Communication fault."));
    QCOMPARE(hosted.progress()->value(), 0);
    QVERIFY(TestSupport::image() == before);
}

void TestReadWindow::silentRadio_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("statusLine");
    QTest::newRow("English") << false << QStringLiteral("Operate prompt|Fail connect with transceiver.")
                             << QStringLiteral("Communication fault.");
    QTest::newRow("Chinese") << true << QStringLiteral("操作提示|与对讲机联络失败 ！") << QStringLiteral("与对讲机通讯故障 ！");
}

void TestReadWindow::silentRadio()
{
    QFETCH(bool, chinese);
    QFETCH(QString, message);
    QFETCH(QString, statusLine);
    Language::setChinese(chinese);
    RadioOnCom com(1);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.silent = true;
    com.radio().setFaults(faults);
    Timer::setScale(0.02);
    const MemoryImage before = TestSupport::image();

    Hosted hosted;
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(hosted.status(), QString::fromUtf8(chinese ? "正在与对讲机联络 ！" : "Connecting with transceiver. "));
    QSignalSpy failed(&hosted.window->engine(), &ExchangeEngine::failed);
    QVERIFY(failed.wait(10000));
    QCOMPARE(hosted.window->state(), ReadWindow::State::Failed);
    QCOMPARE(com.radio().handshakes(), 4);
    QCOMPARE(TestSupport::takeMessages(), QStringList{message});
    QCOMPARE(hosted.status(), statusLine);
    QCOMPARE(hosted.progress()->value(), 0);
    QVERIFY(TestSupport::image() == before);
    QVERIFY(!hosted.window->engine().port().isOpen());
}

void TestReadWindow::cancelIsRefusedWhileBusy()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    Hosted hosted;
    QSignalSpy finished(&hosted.window->engine(), &ExchangeEngine::finished);
    QSignalSpy failed(&hosted.window->engine(), &ExchangeEngine::failed);
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(statusAtBlock(hosted, 3), QStringLiteral("Reading 3 Data Block @1"));
    QTest::mouseClick(hosted.button("Command_Cancel"), Qt::LeftButton);
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{QStringLiteral("Operate prompt|Read-write operating，don't close the window. ,")});
    QVERIFY(hosted.frame->isVisible());
    // The transfer goes on to its end.
    QVERIFY(Hosted::waitForTheEnd(finished, failed));
    QCOMPARE(hosted.window->state(), ReadWindow::State::Finished);
    MessageBox::takeRecorded();

    // Idle: Cancel closes the window.
    QPointer<QMdiSubWindow> frame = hosted.frame;
    QTest::mouseClick(hosted.button("Command_Cancel"), Qt::LeftButton);
    QVERIFY(MessageBox::takeRecorded().isEmpty());
    QTRY_VERIFY(!frame || !frame->isVisible());
}

void TestReadWindow::closingTheFrameStopsTheTransfer()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    const MemoryImage before = TestSupport::image();
    Hosted hosted;
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(statusAtBlock(hosted, 5), QStringLiteral("Reading 5 Data Block @2"));
    QVERIFY(hosted.window->engine().port().isOpen());

    QVERIFY(hosted.frame->close());
    QVERIFY(!hosted.window->engine().port().isOpen());
    QVERIFY(!hosted.window->engine().isBusy());
    // The port is free at once for anyone else.
    SerialPort other;
    QVERIFY(other.open());
    other.close();
    const int requests = com.radio().readRequests();
    QTest::qWait(300);
    QCOMPARE(com.radio().readRequests(), requests);
    QVERIFY(MessageBox::takeRecorded().isEmpty());
    QVERIFY(TestSupport::image() == before);
}

void TestReadWindow::portHeldElsewhere()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    SerialPort holder;
    QVERIFY(holder.open());

    Hosted hosted;
    QTest::mouseClick(hosted.button("Command_read"), Qt::LeftButton);
    QCOMPARE(TestSupport::takeMessages(),
             QStringList{QStringLiteral(
                 "Operate prompt|Communication port is error, please setting right communication port . ！")});
    QCOMPARE(hosted.window->state(), ReadWindow::State::Idle);
    QVERIFY(!hosted.progress()->isVisible());
    QVERIFY(hosted.status().isEmpty());
    QTest::qWait(100);
    QCOMPARE(com.radio().handshakes(), 0);
}

QTEST_MAIN(TestReadWindow)
#include "tst_readwindow.moc"
