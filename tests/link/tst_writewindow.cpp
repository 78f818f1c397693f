#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "link/writewindow.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "texts/language.h"
#include "signalling/fivetonestandards.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestWriteWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void writesRowsInOrderAndCarriesTheUnassignedBytes();
    void refusedForAnOutOfBandChannel();
    void silentRadioFailsAfterThePauseWithoutRetry();
    void busyAndCancel();
    void portAlreadyHeld();

private:
    void press(const char *name) { TestSupport::press(m_window.get(), name); }
    QString status() const { return m_window->statusLine()->text(); }

    std::unique_ptr<WriteWindow> m_window;
};

void TestWriteWindow::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_window = std::make_unique<WriteWindow>();
    m_window->show();
}

void TestWriteWindow::cleanup()
{
    m_window.reset();
    TestSupport::endState();
}

void TestWriteWindow::writesRowsInOrderAndCarriesTheUnassignedBytes()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    radio.fillPattern();
    const QByteArray radioBefore = radio.memory(0, 0x4000);

    // The image holds what a read brought in, with one channel edited and the standards
    // table scribbled over (a write must put the built-in one back).
    MemoryImage &image = TestSupport::image();
    image.setRows(0, radioBefore.left(Area::BulkReadRows.byteCount()));
    for (int ch = 0; ch < Area::ChannelCount; ++ch)
        ChannelRecord(image, ch).clear();
    ChannelRecord edited(image, 7);
    edited.create();
    QVERIFY(edited.setRxFrequency(QStringLiteral("145.5")));
    QVERIFY(edited.setTxFrequency(QStringLiteral("145.5")));
    image.fill(Area::FiveToneStandards.firstRow, Area::FiveToneStandards.lastRow, 0x00);
    image.fill(Area::ReadOnlyTail.firstRow, Area::ReadOnlyTail.lastRow, 0x11);

    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    QSignalSpy finished(&m_window->engine(), &ExchangeEngine::finished);
    press("Command_write");
    QVERIFY(m_window->isBusy());
    QCOMPARE(status(), QStringLiteral("Connecting with transceiver. "));
    QVERIFY(finished.wait(60000));
    QVERIFY(!m_window->isBusy());
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete writing the data to transceiver."}));
    QCOMPARE(status(), QStringLiteral("Data Writed ！"));

    QCOMPARE(radio.memory(0, Area::BulkWriteRows.byteCount()), image.rows(0, Area::BulkWriteFrames));
    // The built-in standards travel, not the zeros.
    MemoryImage reference;
    FiveToneStandards::writeTables(reference);
    for (int block = 0; block < 4; ++block) {
        const int address = 0x2000 + block * 0x100;
        QCOMPARE(radio.memory(address, 15 * 16), reference.rows(MemoryImage::rowOf(address), 15));
    }
    // CCIR1 digit 0: 1981 Hz (BD 07), period count 1163 (8B 04).
    QCOMPARE(radio.memory(0x2000, 1) + radio.memory(0x2100, 1) + radio.memory(0x2200, 1) + radio.memory(0x2300, 1),
             QByteArray("\xBD\x07\x8B\x04", 4));
    // What no editor owns goes back exactly as the radio held it.
    for (const Area::Range &r : {Area::Unassigned1, Area::Unassigned2, Area::Unassigned3, Area::Unassigned4, Area::OptionsTail})
        QCOMPARE(radio.memory(r.firstAddress(), r.byteCount()), radioBefore.mid(r.firstAddress(), r.byteCount()));
    // The read-only tail is never sent.
    QCOMPARE(radio.memory(Area::ReadOnlyTail.firstAddress(), Area::ReadOnlyTail.byteCount()),
             radioBefore.mid(Area::ReadOnlyTail.firstAddress(), Area::ReadOnlyTail.byteCount()));
    const std::vector<int> order = radio.radio().writtenAddresses();
    QCOMPARE(int(order.size()), Area::BulkWriteFrames);
    for (int j = 0; j < int(order.size()); ++j)
        QCOMPARE(order[j], j * 16);
    QCOMPARE(order.back(), 0x30F0);
}

void TestWriteWindow::refusedForAnOutOfBandChannel()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    // Channel 5 at 185.00000 MHz, as a file could bring it in.
    TestSupport::image().setRows(Area::Channels.firstRow + 5,
                                    QByteArray("\x00\x00\x50\x18\x00\x00\x50\x18\x00\x00\x00\x00\x00\x00\x00\x04", 16));
    press("Command_write");
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(records.at(0).text,
             QStringLiteral("Channel 5that Receiving or transmitting frequency  out of frequency limitation range "));
    QVERIFY(!m_window->isBusy());
    QTest::qWait(200);
    QCOMPARE(radio.radio().bytesIn(), uint64_t(0));
    QCOMPARE(radio.radio().handshakes(), 0);
}

void TestWriteWindow::silentRadioFailsAfterThePauseWithoutRetry()
{
    // The pause is scaled, the reply timeout is not: the first hundred frames are
    // counted, and a late acknowledge on a busy machine must not end the write early.
    const double scale = 0.05;
    Timer::setScale(scale, 1.0);
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    vradio::Faults faults;
    faults.silentAfterWriteFrames = 100;
    radio.radio().setFaults(faults);

    press("Command_write");
    QTRY_VERIFY_WITH_TIMEOUT(radio.radio().writeFrames() >= 100, 30000);
    QElapsedTimer sinceLastFrame;
    sinceLastFrame.start();
    QTRY_VERIFY_WITH_TIMEOUT(!MessageBox::recorded().isEmpty(), 10000);
    const qint64 elapsed = sinceLastFrame.elapsed();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Fail connect with transceiver."}));
    QCOMPARE(status(), QStringLiteral("Communication fault."));
    QVERIFY(!m_window->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"))->isVisible());
    // The reply timeout and the pause both ran before the failure (1 s, and 5 s scaled).
    QVERIFY2(elapsed >= qint64(0.9 * (1000 + 5000 * scale)), qPrintable(QString::number(elapsed)));
    const uint64_t bytesAtFailure = radio.radio().bytesIn();
    QTest::qWait(int(8000 * scale));
    QCOMPARE(radio.radio().bytesIn(), bytesAtFailure);
    QCOMPARE(radio.radio().handshakes(), 1);
    QVERIFY(!m_window->isBusy());
    QVERIFY(!m_window->engine().isRetryPending());
}

void TestWriteWindow::busyAndCancel()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    press("Command_write");
    QVERIFY(m_window->isBusy());
    press("Command_write");
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Read-write operating with transceiver ."}));
    press("Command_Cancel");
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Read-write operating，don't close the window. ,"}));
    QVERIFY(m_window->isVisible());
    // The frame's close box is not refused: the transfer stops with the window.
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isBusy());
    QVERIFY(!m_window->engine().port().isOpen());
    const uint64_t bytes = radio.radio().bytesIn();
    QTest::qWait(300);
    QCOMPARE(radio.radio().bytesIn(), bytes);
}

void TestWriteWindow::portAlreadyHeld()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    SerialPort holder;
    QVERIFY(holder.open(1));
    press("Command_write");
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(records.at(0).text,
             QStringLiteral("Communication port is error, please setting right communication port . ！"));
    QVERIFY(!m_window->isBusy());
    holder.close();
}

QTEST_MAIN(TestWriteWindow)
#include "tst_writewindow.moc"
