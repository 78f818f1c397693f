// The exchange engine against the virtual radio on a real pseudo-terminal.

#include "support/radiofixture.h"
#include "support/scriptedline.h"

#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "link/exchangeengine.h"
#include "link/radioidentity.h"
#include "platform/timer.h"
#include "shell/radiostatus.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// A 50-byte reply with the given band digits and everything else well formed.
QByteArray identificationReply(const QByteArray &bandDigits)
{
    QByteArray reply(50, '\0');
    reply.replace(1, 12, bandDigits);
    reply.replace(13, 4, "QDMX");
    reply.replace(17, 6, "OR-78V");
    reply.replace(23, 6, "V12A03");
    reply.replace(33, 16, "ORV123456789ABCD");
    reply[49] = char(0x55);
    return reply;
}
} // namespace

Q_DECLARE_METATYPE(Pacing)

class TestExchangeEngine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void identityReplyParsing();
    void identification_data();
    void identification();
    void extraBytesAfterIdentificationAreDiscarded();

    void readSide();
    void readRetriesAfterAShortReply();
    void readGivesUpAfterFourAttempts();

    void writeSide();
    void acknowledgeBeforeTheFrameIsOutIsIgnored();
    void writeSilenceFailsAfterThePauseWithoutRetry();

    void portAlreadyHeldStartsNothing();
    void deviceHeldByAnotherProcessDoesNotOpen();
    void pulledCableEndsTheAttemptAtOnce();

    void nothingBeforeTheFrameIsOutCounts_data();
    void nothingBeforeTheFrameIsOutCounts();
    void aHeldTickNeverBringsTheNextByteSooner_data();
    void aHeldTickNeverBringsTheNextByteSooner();
};

void TestExchangeEngine::init()
{
    RadioStatus::instance().followLink();
    Timer::setScale(1.0);
    BandLimits::adoptReported(BandLimits::startup());
    RadioStatus::instance().clearValues();
}

void TestExchangeEngine::cleanup()
{
    Timer::setScale(1.0);
}

void TestExchangeEngine::identityReplyParsing()
{
    const QByteArray reply = identificationReply(bytes({1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 8, 0}));
    QVERIFY(RadioIdentity::isAccepted(reply));
    const RadioIdentity id = RadioIdentity::parse(reply);
    QCOMPARE(id.bandAText(), QStringLiteral("136--174 MHZ"));
    QCOMPARE(id.bandBText(), QStringLiteral("400--480 MHZ"));
    QCOMPARE(id.limits.aLower, 136);
    QCOMPARE(id.limits.aUpper, 174);
    QCOMPARE(id.limits.bLower, 400);
    QCOMPARE(id.limits.bUpper, 480);
    QCOMPARE(id.modelName, QStringLiteral("OR-78V"));
    QCOMPARE(id.numberText(), QStringLiteral("ORV123--456789--ABCD"));
    QCOMPARE(id.firmwareText(), QStringLiteral("V1.2A.0.3"));
    // Digits are values, not characters: 0 0 0 is 0 MHz, 9 9 9 is 999.
    QCOMPARE(RadioIdentity::parse(identificationReply(bytes({0, 0, 0, 9, 9, 9, 0, 6, 6, 5, 2, 0}))).bandAText(),
             QStringLiteral("0--999 MHZ"));
    QCOMPARE(RadioIdentity::bandText(66, 520), QStringLiteral("66--520 MHZ"));

    QByteArray wrongCode = reply;
    wrongCode[16] = 'Y';
    QVERIFY(!RadioIdentity::isAccepted(wrongCode));
    QByteArray noMark = reply;
    noMark[49] = char(0x54);
    QVERIFY(!RadioIdentity::isAccepted(noMark));
    QVERIFY(!RadioIdentity::isAccepted(reply.left(49)));
    // Nothing but the code and the mark is looked at.
    QByteArray noise = reply;
    noise[0] = char(0xEE);
    noise[30] = char(0xEE);
    QVERIFY(RadioIdentity::isAccepted(noise));
}

void TestExchangeEngine::identification_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("accepted") << 0 << true;
    QTest::newRow("wrong model code") << 1 << false;
    QTest::newRow("no 0x55") << 2 << false;
    QTest::newRow("20 then 30 bytes") << 3 << true;
    QTest::newRow("more than 50 waiting") << 4 << true;
    QTest::newRow("noise in front") << 5 << false;
    QTest::newRow("silent") << 6 << false;
}

void TestExchangeEngine::identification()
{
    QFETCH(int, fault);
    QFETCH(bool, accepted);

    RadioOnCom com(2);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.wrongModelCode = fault == 1;
    faults.missingEndMark = fault == 2;
    if (fault == 3) {
        faults.identificationChunks = {20, 30};
        faults.chunkGapMs = 300;
    }
    faults.extraAfterIdentification = fault == 4 ? 30 : 0;
    faults.garbageBeforeIdentification = fault == 5 ? 3 : 0;
    faults.silent = fault == 6;
    com.radio().setFaults(faults);
    if (!accepted)
        Timer::setScale(0.02);

    ExchangeEngine engine(Pacing::mainWindow());
    QSignalSpy identified(&engine, &ExchangeEngine::identified);
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    QSignalSpy failed(&engine, &ExchangeEngine::failed);
    QSignalSpy attempts(&engine, &ExchangeEngine::attemptFailed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(engine.startIdentification());
    QVERIFY(engine.isIdentifying());
    QVERIFY(engine.port().isOpen());

    if (accepted) {
        QVERIFY(finished.wait(5000));
        QCOMPARE(identified.count(), 1);
        QCOMPARE(failed.count(), 0);
        // The handshake goes out a byte per 10 ms after 15 ms; the chunked reply cannot
        // be taken before its second part is in.
        if (fault == 3)
            QVERIFY(clock.elapsed() >= 15 + 70 + 300);
        QVERIFY(!engine.isBusy());
        QVERIFY(!engine.port().isOpen());
        QCOMPARE(BandLimits::current(), (BandLimits{136, 174, 400, 480}));
        QCOMPARE(BandLimits::reported(), (BandLimits{136, 174, 400, 480}));
        const RadioStatus &status = RadioStatus::instance();
        QCOMPARE(status.panelText(2), QStringLiteral("OR-78V"));
        QCOMPARE(status.panelText(4), QStringLiteral("ORV123--456789--ABCD"));
        QCOMPARE(status.panelText(6), QStringLiteral("V1.2A.0.3"));
        QCOMPARE(status.panelText(8), QStringLiteral("136--174 MHZ"));
        QCOMPARE(status.panelText(10), QStringLiteral("400--480 MHZ"));
        QCOMPARE(com.radio().handshakes(), 1);
    } else {
        QVERIFY(failed.wait(10000));
        QCOMPARE(identified.count(), 0);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(attempts.count(), 4);
        QCOMPARE(com.radio().handshakes(), 4);
        QCOMPARE(BandLimits::current(), BandLimits::startup());
        QVERIFY(RadioStatus::instance().panelText(8).isEmpty());
        QVERIFY(!engine.port().isOpen());
        QVERIFY(!engine.isBusy());
    }
}

void TestExchangeEngine::extraBytesAfterIdentificationAreDiscarded()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    com.fillPattern();
    vradio::Faults faults;
    faults.extraAfterIdentification = 9;
    com.radio().setFaults(faults);

    ExchangeEngine engine(Pacing::transferWindow());
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    QVERIFY(engine.startRead(ExchangeEngine::blockAddresses(0x0E00, 2)));
    QVERIFY(finished.wait(5000));
    // Had the nine bytes stayed, block 1 would start with them instead of "X".
    QCOMPARE(engine.receiveSlots().dataOffset(1), 4);
    QCOMPARE(engine.receiveSlots().data(1), com.memory(0x0E00, 64));
}

void TestExchangeEngine::readSide()
{
    RadioOnCom com(3);
    QVERIFY(com.ok());
    com.fillPattern();
    vradio::Faults faults;
    faults.strayBeforeX = 1;
    faults.strayBlock = 3;
    com.radio().setFaults(faults);

    ExchangeEngine engine(Pacing::transferWindow());
    QSignalSpy progress(&engine, &ExchangeEngine::progress);
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    const QVector<int> addresses{0x2400, 0x2440, 0x0100, 0x3C00, 0x2480};
    QVERIFY(engine.startRead(addresses));
    QVERIFY(engine.isReading());
    QVERIFY(!engine.startRead(addresses)); // busy
    QVERIFY(finished.wait(5000));

    QCOMPARE(progress.count(), addresses.size() - 1);
    for (int k = 1; k < addresses.size(); ++k)
        QCOMPARE(progress.at(k - 1), (QVariantList{k, int(addresses.size())}));
    for (int k = 1; k <= addresses.size(); ++k) {
        const QByteArray slot = engine.receiveSlots().slot(k);
        QCOMPARE(slot.size(), 69);
        QCOMPARE(engine.receiveSlots().data(k), com.memory(addresses[k - 1], 64));
    }
    // The stray byte shifts the reply by one and cuts its trailer; the data still fit.
    QCOMPARE(engine.receiveSlots().dataOffset(3), 5);
    QCOMPARE(engine.receiveSlots().dataOffset(2), 4);
    // The echoed address of a well-formed reply is the one asked for.
    QCOMPARE(uint8_t(engine.receiveSlots().slot(4)[1]), uint8_t(0x3C));
    QCOMPARE(com.radio().readRequests(), addresses.size());
    QVERIFY(!engine.isBusy());
    QVERIFY(!engine.port().isOpen());
}

void TestExchangeEngine::readRetriesAfterAShortReply()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    com.fillPattern();
    vradio::Faults faults;
    faults.dropByteInBlock = 2;
    com.radio().setFaults(faults);
    Timer::setScale(0.1);

    ExchangeEngine engine(Pacing::transferWindow());
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    QSignalSpy attempts(&engine, &ExchangeEngine::attemptFailed);
    QVERIFY(engine.startRead(ExchangeEngine::blockAddresses(0x3000, 4)));
    QVERIFY(finished.wait(5000));
    QCOMPARE(attempts.count(), 1);
    QCOMPARE(attempts.at(0).at(0).toInt(), 3);
    QCOMPARE(engine.retriesLeft(), 2);
    // The second attempt starts over from the handshake and block 1.
    QCOMPARE(com.radio().handshakes(), 2);
    QCOMPARE(com.radio().readRequests(), 2 + 4);
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(engine.receiveSlots().data(k), com.memory(0x3000 + (k - 1) * 64, 64));
}

void TestExchangeEngine::readGivesUpAfterFourAttempts()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.silentAfterReadBlocks = 2;
    com.radio().setFaults(faults);
    Timer::setScale(0.05);

    ExchangeEngine engine(Pacing::transferWindow());
    QSignalSpy failed(&engine, &ExchangeEngine::failed);
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    QSignalSpy attempts(&engine, &ExchangeEngine::attemptFailed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(engine.startRead(ExchangeEngine::blockAddresses(0x0000, 8)));
    QVERIFY(failed.wait(10000));
    // Four attempts, each a 1 s timeout and a 3 s pause, scaled.
    QVERIFY(clock.elapsed() >= qint64(4 * (1000 + 3000) * 0.05) - 20);
    QCOMPARE(attempts.count(), 4);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(com.radio().handshakes(), 4);
    QCOMPARE(com.radio().readRequests(), 4 * 3);
    QVERIFY(!engine.port().isOpen());
    QVERIFY(!engine.isBusy());
    QVERIFY(!engine.isRetryPending());
}

void TestExchangeEngine::writeSide()
{
    RadioOnCom com(4);
    QVERIFY(com.ok());
    MemoryImage image;
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setAt(a, uint8_t(a * 11 + 5));

    ExchangeEngine engine(Pacing::writeWindow());
    QSignalSpy progress(&engine, &ExchangeEngine::progress);
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    const QVector<ExchangeEngine::Frame> frames = ExchangeEngine::framesFromImage(image, 0x2900, 32);
    QCOMPARE(frames.size(), 32);
    QCOMPARE(frames[1].address, 0x2910);
    QCOMPARE(frames[1].data, image.row(MemoryImage::rowOf(0x2910)));
    QVERIFY(engine.startWrite(frames));
    QVERIFY(engine.isWriting());
    QVERIFY(finished.wait(5000));

    std::vector<int> expected;
    for (int j = 0; j < 32; ++j)
        expected.push_back(0x2900 + j * 16);
    QCOMPARE(com.radio().writtenAddresses(), expected);
    QCOMPARE(com.memory(0x2900, 512), image.rows(MemoryImage::rowOf(0x2900), 32));
    // Untouched on either side of the area.
    QCOMPARE(com.memory(0x28F0, 16), QByteArray(16, char(0xFF)));
    QCOMPARE(com.memory(0x2B00, 16), QByteArray(16, char(0xFF)));
    QCOMPARE(progress.count(), 31);
    QCOMPARE(progress.last(), (QVariantList{31, 32}));
    QCOMPARE(engine.completed(), 32);
    QVERIFY(!engine.port().isOpen());
}

void TestExchangeEngine::acknowledgeBeforeTheFrameIsOutIsIgnored()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    MemoryImage image;
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setAt(a, uint8_t(a ^ 0x5A));
    // One byte per tick, so the radio's early 0x06 arrives while 16 bytes are still to go.
    Pacing slow = Pacing::writeWindow();
    slow.byteTickMs = 10;

    {
        // Early and proper acknowledges: only the proper ones count, so every frame goes
        // out whole, once, in order.
        vradio::Faults faults;
        faults.earlyAck = true;
        com.radio().setFaults(faults);
        ExchangeEngine engine(slow);
        QSignalSpy finished(&engine, &ExchangeEngine::finished);
        QVERIFY(engine.startWrite(ExchangeEngine::framesFromImage(image, 0x3000, 6)));
        QVERIFY(finished.wait(10000));
        QCOMPARE(com.radio().writtenAddresses(), (std::vector<int>{0x3000, 0x3010, 0x3020, 0x3030, 0x3040, 0x3050}));
        QCOMPARE(com.memory(0x3000, 96), image.rows(MemoryImage::rowOf(0x3000), 6));
    }
    {
        // Early acknowledges only: none counts, the transfer fails without a retry.
        com.radio().resetCounters();
        vradio::Faults faults;
        faults.earlyAck = true;
        faults.withholdAck = true;
        com.radio().setFaults(faults);
        Timer::setScale(0.1);
        ExchangeEngine engine(slow);
        QSignalSpy failed(&engine, &ExchangeEngine::failed);
        QSignalSpy progress(&engine, &ExchangeEngine::progress);
        QVERIFY(engine.startWrite(ExchangeEngine::framesFromImage(image, 0x3000, 6)));
        QVERIFY(failed.wait(10000));
        QCOMPARE(progress.count(), 0);
        QCOMPARE(engine.completed(), 0);
        QCOMPARE(com.radio().writeFrames(), 1);
        QCOMPARE(com.radio().handshakes(), 1);
    }
}

void TestExchangeEngine::writeSilenceFailsAfterThePauseWithoutRetry()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.silentAfterWriteFrames = 3;
    com.radio().setFaults(faults);
    Timer::setScale(0.05);

    MemoryImage image;
    ExchangeEngine engine(Pacing::writeWindow());
    QSignalSpy attempts(&engine, &ExchangeEngine::attemptFailed);
    QSignalSpy failed(&engine, &ExchangeEngine::failed);
    QVERIFY(engine.startWrite(ExchangeEngine::framesFromImage(image, 0x0000, 10)));
    QVERIFY(attempts.wait(5000));
    QElapsedTimer pause;
    pause.start();
    QVERIFY(!engine.port().isOpen());
    QVERIFY(!engine.isBusy());
    QVERIFY(failed.wait(5000));
    // The failure comes at the end of the 5 s pause, scaled.
    QVERIFY(pause.elapsed() >= 5000 * 0.05 - 20);
    QCOMPARE(attempts.count(), 1);
    QCOMPARE(engine.completed(), 3);
    QTest::qWait(100);
    QCOMPARE(com.radio().handshakes(), 1);
    QCOMPARE(com.radio().writeFrames(), 3);
}

void TestExchangeEngine::portAlreadyHeldStartsNothing()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    SerialPort holder;
    QVERIFY(holder.open());

    ExchangeEngine engine(Pacing::transferWindow());
    QSignalSpy openFailed(&engine, &ExchangeEngine::portOpenFailed);
    QVERIFY(!engine.startRead(ExchangeEngine::blockAddresses(0, 2)));
    QCOMPARE(openFailed.count(), 1);
    QVERIFY(engine.port().portOpenFailed());
    QVERIFY(!engine.isBusy());
    QTest::qWait(100);
    QCOMPARE(com.radio().handshakes(), 0);

    holder.close();
    QSignalSpy finished(&engine, &ExchangeEngine::finished);
    QVERIFY(engine.startIdentification());
    QVERIFY(!engine.port().portOpenFailed());
    QVERIFY(finished.wait(5000));
}

void TestExchangeEngine::deviceHeldByAnotherProcessDoesNotOpen()
{
    // Another program holds the device under its node's name; this one asks through the
    // COM link. Neither name may let a second open through.
    RadioOnCom com(2);
    QVERIFY(com.ok());
    const QString node = QString::fromStdString(com.radio().slavePath());
    QProcess other;
    // One process from lock to kill: the lock goes with it.
    other.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec 9<>\"$1\" && flock -x 9 && echo held "
                                                                            "&& exec sleep 30"),
                                       QStringLiteral("sh"), node});
    QVERIFY(other.waitForReadyRead(5000));

    SerialPort port;
    QVERIFY(!port.open(2));
    QVERIFY(port.portOpenFailed());

    other.kill();
    other.waitForFinished(5000);
    QVERIFY(port.open(2));
    // And the other way round: held here, another process gets no lock on the node.
    QCOMPARE(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec 9<>\"$1\" && flock -n 9"),
                                                       QStringLiteral("sh"), node}),
             1);
    port.close();
}

void TestExchangeEngine::pulledCableEndsTheAttemptAtOnce()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    // Reply timers far longer than the test waits: only the hang-up can end the attempt.
    Pacing patient = Pacing::transferWindow();
    patient.timeoutAfterByteMs = patient.timeoutAfterLastMs = 600000;
    ExchangeEngine engine(patient);
    QSignalSpy progress(&engine, &ExchangeEngine::progress);
    QSignalSpy attemptFailed(&engine, &ExchangeEngine::attemptFailed);
    QVERIFY(engine.startRead(ExchangeEngine::blockAddresses(0, 200)));
    QVERIFY(progress.wait(5000));

    com.radio().hangUp();
    QVERIFY(attemptFailed.wait(5000));
    QCOMPARE(attemptFailed.first().first().toInt(), 3);
    QVERIFY(!engine.isBusy());
    QVERIFY(!engine.port().isOpen());
    QVERIFY(engine.isRetryPending());
    engine.stop();
}

void TestExchangeEngine::nothingBeforeTheFrameIsOutCounts_data()
{
    QTest::addColumn<bool>("beforeHandshake");
    // Found by fuzz_exchange: a whole reply that arrived while the next read request still
    // waited for its tick was stored as that block, and the read finished a block early.
    QTest::newRow("a block reply before its request is out") << false;
    QTest::newRow("an identification before the handshake is out") << true;
}

void TestExchangeEngine::nothingBeforeTheFrameIsOutCounts()
{
    QFETCH(bool, beforeHandshake);
    // A scripted line and a manual clock decide exactly when what arrives.
    Timer::setManualClock(true);
    ScriptedLine line;
    {
        ExchangeEngine engine(Pacing::transferWindow());
        engine.port().setLine(&line);
        QSignalSpy finished(&engine, &ExchangeEngine::finished);
        auto block = [](int address, char fill) {
            return bytes({0x58, address >> 8, address & 0xFF, 0x40}) + QByteArray(64, fill) + QByteArray(1, '\0');
        };
        const QByteArray id = identificationReply(bytes({1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 8, 0}));
        QVERIFY(engine.startRead(ExchangeEngine::blockAddresses(0, 2)));
        if (beforeHandshake) {
            line.feed(id);
            QVERIFY(!engine.isIdentified());
        }
        Timer::advanceManualClock(15);
        QVERIFY(engine.isFrameSent());
        line.feed(id);
        QVERIFY(engine.isIdentified());
        Timer::advanceManualClock(15);
        line.feed(block(0x0000, 'a'));
        QCOMPARE(engine.completed(), 1);
        // The request for block 2 waits for its tick; a whole reply now answers nothing.
        line.feed(block(0x0040, 'x'));
        QCOMPARE(engine.completed(), 1);
        Timer::advanceManualClock(15);
        line.feed(block(0x0040, 'b'));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(engine.receiveSlots().slot(2), block(0x0040, 'b'));
        QCOMPARE(line.outputSinceOpen(), QByteArray::fromHex("55A5B54555454D02" "0653000040" "0653004040" "06"));
    }
    Timer::setManualClock(false);
}

void TestExchangeEngine::aHeldTickNeverBringsTheNextByteSooner_data()
{
    QTest::addColumn<Pacing>("pacing");
    QTest::addColumn<int>("heldAfterByte");
    // At start-up the main window builds the document and the options editor while its
    // handshake goes out; a tick held behind that work was followed by one that came
    // early to catch up (10 ms apart became 14 and 6).
    QTest::newRow("identification, held after the first byte") << Pacing::mainWindow() << 1;
    QTest::newRow("identification, held late in the frame") << Pacing::mainWindow() << 6;
    QTest::newRow("options transfer") << Pacing::optionsTransfer() << 1;
    QTest::newRow("alignment transfer") << Pacing::alignmentTransfer() << 3;
}

void TestExchangeEngine::aHeldTickNeverBringsTheNextByteSooner()
{
    QFETCH(Pacing, pacing);
    QFETCH(int, heldAfterByte);
    // The manual clock counts the milliseconds; no wall clock is read.
    Timer::setManualClock(true);
    ScriptedLine line;
    {
        ExchangeEngine engine(pacing);
        engine.port().setLine(&line);
        QVERIFY(engine.startIdentification());
        const int frameBytes = int(QByteArray::fromHex("55A5B54555454D02").size());
        QVector<int> sentAt; // the clock when each byte went out
        int clock = 0;
        bool held = false;
        while (sentAt.size() < frameBytes && clock < 1000) {
            if (!held && sentAt.size() == heldAfterByte) {
                held = true;
                Timer::holdManualClock(pacing.byteTickMs + 4);
                clock += pacing.byteTickMs + 4;
                Timer::advanceManualClock(0); // the held tick, late
            } else {
                Timer::advanceManualClock(1);
                ++clock;
            }
            while (sentAt.size() < line.outputSinceOpen().size())
                sentAt << clock;
        }
        QCOMPARE(line.outputSinceOpen(), QByteArray::fromHex("55A5B54555454D02"));
        QCOMPARE(sentAt.first(), pacing.firstTickMs);
        for (int i = 1; i < sentAt.size(); ++i) {
            QVERIFY2(sentAt.at(i) - sentAt.at(i - 1) >= pacing.byteTickMs,
                     qPrintable(QStringLiteral("byte %1 followed byte %2 after %3 ms")
                                    .arg(i).arg(i - 1).arg(sentAt.at(i) - sentAt.at(i - 1))));
        }
        engine.stop();
    }
    Timer::setManualClock(false);
}

QTEST_GUILESS_MAIN(TestExchangeEngine)
#include "tst_exchangeengine.moc"
