#include "alignment/alignmenttable.h"
// orvane-cli against the virtual radio: in-process with scaled timers for the commands and
// their exit codes, and the built command on a pseudo-terminal for the progress bar.

#include "support/radiofixture.h"

#include "channels/channelcsv.h"
#include "channels/channelrecord.h"
#include "cli/commandline.h"
#include "config/configtext.h"
#include "cli/fleetplan.h"
#include "channels/csvtext.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "platform/portaccess.h"
#include "platform/portnames.h"
#include "platform/serialport.h"
#include "platform/timer.h"
#include "shell/bulkwritesteps.h"

#include <QBuffer>
#include <QProcess>
#include <QtTest>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result runCli(const QStringList &args, bool errIsTerminal = false)
{
    QBuffer outBuffer, errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    QTextStream out(&outBuffer), err(&errBuffer);
    Result r;
    r.code = CommandLine(out, err, errIsTerminal).run(args);
    out.flush();
    err.flush();
    r.out = QString::fromUtf8(outBuffer.data());
    r.err = QString::fromUtf8(errBuffer.data());
    return r;
}

void makeChannel(MemoryImage &image, int channel, const char *frequency)
{
    ChannelRecord rec(image, channel);
    rec.create();
    QVERIFY(rec.setRxFrequency(QString::fromLatin1(frequency)));
    QVERIFY(rec.setTxFrequency(QString::fromLatin1(frequency)));
}

// Distinct bytes everywhere outside the channels, a few channels inside the radio's bands,
// and the standards rows scribbled over (a write puts the built-in ones back).
std::unique_ptr<MemoryImage> planImage()
{
    auto image = std::make_unique<MemoryImage>();
    for (int a = 0; a < MemoryImage::Size; ++a)
        image->setAt(a, uint8_t((a * 11 + 5) & 0xFF));
    for (int ch = 0; ch < ChannelRecord::Count; ++ch)
        clearChannel(*image, ch);
    makeChannel(*image, 3, "145.5");
    makeChannel(*image, 7, "146.52");
    makeChannel(*image, 12, "438.5");
    ChannelRecord(*image, 12).setName(QStringLiteral("RPT12"));
    image->fill(Area::FiveToneStandards.firstRow, Area::FiveToneStandards.lastRow, 0x00);
    return image;
}

// What a write of `image` leaves in the radio's rows 0..783.
QByteArray sentRows(const MemoryImage &image)
{
    MemoryImage prepared(image);
    BulkWrite::prepare(prepared);
    return prepared.rows(0, Area::BulkWriteFrames);
}

std::vector<uint8_t> toVector(const QByteArray &bytes)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readGivesAFileEqualToTheRadio();
    void writeThenTheRadioEqualsTheFile();
    void verifyNamesWhatDiffers_data();
    void verifyNamesWhatDiffers();
    void exitCodes_data();
    void exitCodes();
    void diffNamesChannelFieldsAndShowsTheRestInHex();
    void changedOnlyWriteSendsWhatDiffersAndKeepsABackup();
    void quickWriteStandsOnTheHistory();
    void portsProbe_data();
    void portsProbe();
    void diffNamesAlignmentValues_data();
    void diffNamesAlignmentValues();
    void csvCommands();
    void configCommands();
    void mergeAndRepeaterCommands();
    void fleetGivesEachRadioTheTemplateAndItsRow_data();
    void fleetGivesEachRadioTheTemplateAndItsRow();
    void fleetChecksEveryRowFirst_data();
    void fleetChecksEveryRowFirst();
    void progressOnlyOnATerminal_data();
    void progressOnlyOnATerminal();
    void progressOfTheBuiltCommand_data();
    void progressOfTheBuiltCommand();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Backups of changed-only writes go here, never into the user's folder.
    qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
    // sentRows() runs the write's steps before any command has installed them.
    installBulkWriteSteps();
    QVERIFY(DataFile::save(*planImage(), path("plan.dat")).ok);
    // Channel 5 at 175 MHz: inside the start-up limits, outside the radio's 136-174.
    auto refused = planImage();
    makeChannel(*refused, 5, "175");
    QVERIFY(DataFile::save(*refused, path("refused.dat")).ok);
    QFile bad(path("bad.dat"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(" 0  0  0  1  2  three \r\n");
    bad.close();
    QFile badCsv(path("bad.csv"));
    QVERIFY(badCsv.open(QIODevice::WriteOnly));
    badCsv.write("Location,Frequency\n1,999\n");
    badCsv.close();
}

void TestCli::init()
{
    // The radio's replies are waited for as the program waits; failure paths shorten it.
    Timer::setScale(0.05, 1.0);
    BandLimits::adoptReported(BandLimits::startup());
}

void TestCli::cleanup()
{
    Timer::setScale(1.0);
}

void TestCli::readGivesAFileEqualToTheRadio()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    radio.fillPattern();
    // No --port: the start-up scan finds COM1.
    const Result r = runCli({"read", "-o", path("read.dat")});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.isEmpty());
    auto image = std::make_unique<MemoryImage>();
    QVERIFY(DataFile::load(*image, path("read.dat")).ok);
    QCOMPARE(image->rows(0, Area::BulkReadRows.rowCount()), radio.memory(0, Area::BulkReadRows.byteCount()));
    for (int row = Area::FileOnly.firstRow; row <= Area::FileOnly.lastRow; ++row)
        QCOMPARE(image->row(row), QByteArray(16, char(0xFF)));
}

void TestCli::writeThenTheRadioEqualsTheFile()
{
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    const QByteArray tailBefore = radio.memory(Area::ReadOnlyTail.firstAddress(), 0x1000);

    const Result r = runCli({"write", path("plan.dat"), "--port", "COM2", "--verify"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("verify: the radio holds")), qPrintable(r.out + r.err));

    auto plan = planImage();
    QByteArray expected = plan->rows(0, Area::BulkWriteFrames);
    QCOMPARE(radio.memory(0, Area::FiveToneStandards.firstAddress()), expected.left(Area::FiveToneStandards.firstAddress()));
    const int afterStandards = (Area::FiveToneStandards.lastRow + 1) * 16;
    QCOMPARE(radio.memory(afterStandards, expected.size() - afterStandards), expected.mid(afterStandards));
    // The standards rows as the write rewrites them, not the file's zeros.
    QCOMPARE(radio.memory(0, expected.size()), sentRows(*plan));
    QCOMPARE(radio.memory(Area::ReadOnlyTail.firstAddress(), 0x1000), tailBefore);
    QCOMPARE(int(radio.radio().writtenAddresses().size()), Area::BulkWriteFrames);
}

void TestCli::verifyNamesWhatDiffers_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("nothing") << -1 << 0 << QStringList{"verify: the radio holds", "no differences\n"};
    QTest::newRow("busy lock of channel 7") << 7 * 16 + 15 << 0x0C
                                            << QStringList{"  ch 7 busy lock OFF -> ON\n", "rows that differ: 7\n",
                                                           "channels that differ: 7\n"};
    QTest::newRow("name of channel 12") << 0x1000 + 12 * 16 + 3 << 0x33
                                        << QStringList{"  ch 12 name RPT12 -> RPT32\n", "rows that differ: 268\n",
                                                       "channels that differ: 12\n"};
    // Code 0 is the D key: the radio's code 1 gained a digit after the plan's "5".
    QTest::newRow("a DTMF digit") << 0x2905 << 0x00 << QStringList{"  dtmf encode 1 5 -> 5D\n", "rows that differ: 656\n"};
    QTest::newRow("a 5-tone standards byte") << 0x2001 << 0x42 << QStringList{"row 512 (0x2000, 5-tone standards): [1] "};
}

void TestCli::verifyNamesWhatDiffers()
{
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(QStringList, lines);

    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    // The radio holds what a write of the plan sends, then one byte changes.
    radio.radio().setMemory(0, toVector(sentRows(*planImage())));
    if (address >= 0)
        radio.radio().setMemory(address, {uint8_t(value)});

    const Result r = runCli({"verify", path("plan.dat"), "--port", "COM1"});
    QCOMPARE(r.code, address < 0 ? 0 : 3);
    for (const QString &line : lines)
        QVERIFY2(r.out.contains(line), qPrintable(r.out));
    if (address >= 0)
        QCOMPARE(r.out.count(QStringLiteral("\n  ")), 1); // exactly one difference listed
    QCOMPARE(radio.radio().writeFrames(), 0);
}

void TestCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("radio"); // "", "answers", "silent", "silent after 100 frames"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // in standard error, or standard output for 0

    const QString d = m_dir.path() + QLatin1Char('/');
    const QString portError = QStringLiteral("Communication port is error, please setting right communication port . ！");
    QTest::newRow("help") << QStringList{"--help"} << "" << 0 << "usage: orvane-cli COMMAND";
    QTest::newRow("help of a command") << QStringList{"write", "--help"} << "" << 0 << "usage: orvane-cli write FILE.dat";
    QTest::newRow("no command") << QStringList{} << "" << 1 << "no command given";
    QTest::newRow("unknown command") << QStringList{"frob"} << "" << 1 << "unknown command frob";
    QTest::newRow("unknown option") << QStringList{"info", "--bogus"} << "" << 1 << "unknown option --bogus";
    QTest::newRow("read without -o") << QStringList{"read"} << "" << 1 << "read needs -o FILE.dat";
    QTest::newRow("one file for diff") << QStringList{"diff", d + "plan.dat"} << "" << 1 << "diff takes 2 file names";
    QTest::newRow("COM13") << QStringList{"info", "--port", "COM13"} << "" << 1 << "--port takes COM1 to COM12";
    QTest::newRow("bad --bands")
        << QStringList{"import-csv", d + "bad.csv", "--into", d + "plan.dat", "-o", d + "x.dat", "--bands", "1,2,3"} << ""
        << 1 << "--bands takes four";
    QTest::newRow("no such device") << QStringList{"info", "--port", "/dev/orvane-no-such-device"} << "" << 2
                                    << "/dev/orvane-no-such-device: " + portError;
    QTest::newRow("port held") << QStringList{"info", "--port", "COM1"} << "held" << 2 << "COM1 (" ;
    QTest::newRow("silent radio") << QStringList{"info", "--port", "COM1"} << "silent" << 2
                                  << "Fail connect with transceiver.";
    QTest::newRow("silent during the write") << QStringList{"write", d + "plan.dat", "--port", "COM1"}
                                             << "silent after 100 frames" << 2 << "Fail connect with transceiver.";
    QTest::newRow("band check refuses") << QStringList{"write", d + "refused.dat", "--port", "COM1"} << "answers" << 3
                                        << "Channel 5that Receiving or transmitting frequency  out of frequency limitation range ";
    QTest::newRow("dry run alone") << QStringList{"write", d + "plan.dat", "--dry-run"} << "" << 1
                                   << "--dry-run goes with --changed-only";
    QTest::newRow("changed only, refused") << QStringList{"write", d + "refused.dat", "--changed-only", "--port", "COM1"}
                                           << "answers" << 3 << "Channel 5that Receiving";
    QTest::newRow("changed only, dry run") << QStringList{"write", d + "plan.dat", "--changed-only", "--dry-run", "--port", "COM1"}
                                           << "answers" << 0 << "changes: ";
    QTest::newRow("changed only, silent during the write")
        << QStringList{"write", d + "plan.dat", "--changed-only", "--port", "COM1"} << "silent after 100 frames" << 2
        << "Writing stopped after 100 of ";
    QTest::newRow("files differ") << QStringList{"diff", d + "plan.dat", d + "refused.dat"} << "" << 3 << "ch 5 new: RX 175.00000";
    QTest::newRow("files equal") << QStringList{"diff", d + "plan.dat", d + "plan.dat"} << "" << 0 << "no differences\n";
    QTest::newRow("missing data file") << QStringList{"write", d + "missing.dat", "--port", "COM1"} << "answers" << 4
                                       << "missing.dat";
    QTest::newRow("malformed data file") << QStringList{"diff", d + "bad.dat", d + "plan.dat"} << "" << 4 << "bad.dat";
    QTest::newRow("bad csv") << QStringList{"import-csv", d + "bad.csv", "--into", d + "plan.dat", "-o", d + "x.dat"} << ""
                             << 4 << "Line 2, column Frequency, value \"999\"";
    QTest::newRow("import-config without -o") << QStringList{"import-config", d + "plan.yaml"} << "" << 1
                                              << "import-config needs -o OUT.dat";
    QTest::newRow("output folder missing") << QStringList{"export-csv", d + "plan.dat", "-o", d + "no/such/x.csv"} << "" << 4
                                           << "Cannot save";
}

void TestCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, radio);
    QFETCH(int, code);
    QFETCH(QString, message);

    std::unique_ptr<RadioOnCom> on;
    SerialPort holder;
    if (!radio.isEmpty()) {
        on = std::make_unique<RadioOnCom>(1);
        QVERIFY(on->ok());
        vradio::Faults faults;
        faults.silent = radio == QLatin1String("silent");
        faults.silentAfterWriteFrames = radio == QLatin1String("silent after 100 frames") ? 100 : -1;
        on->radio().setFaults(faults);
        if (radio.startsWith(QLatin1String("silent")))
            Timer::setScale(0.05);
        if (radio == QLatin1String("held"))
            QVERIFY(holder.open(1));
    }
    const Result r = runCli(args);
    QCOMPARE(r.code, code);
    const QString shown = r.out + r.err;
    QVERIFY2(shown.contains(message), qPrintable(shown));
    if (code == 0 && message.isEmpty())
        QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(path("x.dat")));
    if (on && radio == QLatin1String("answers")) {
        // A refused write sends no frame: only the identification took place.
        QCOMPARE(on->radio().writeFrames(), 0);
    }
}

void TestCli::diffNamesChannelFieldsAndShowsTheRestInHex()
{
    auto a = planImage();
    auto b = std::make_unique<MemoryImage>(*a);
    ChannelRecord(*b, 3).setRxFrequency(QStringLiteral("145.125"));
    ChannelRecord(*b, 12).setName(QStringLiteral("RPT2"));
    ChannelRecord(*b, 7).setTxTone(ToneCode::fromValue(885));
    b->setCell(Area::Channels.firstRow + 7, 14, 0x08); // an unused bit: no field shows it
    clearChannel(*b, 12 + 1);                          // already empty: nothing to say
    b->setCell(Area::Fm.firstRow + 2, 9, 0x41);
    QVERIFY(DataFile::save(*b, path("b.dat")).ok);

    const Result r = runCli({"diff", path("plan.dat"), path("b.dat")});
    QCOMPARE(r.code, 3);
    QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList({"ch 3 RX 145.50000 -> 145.12500", "ch 7 TX tone OFF -> 88.5", "ch 7 record bytes [14] 00 -> 08",
                          "ch 12 name RPT12 -> RPT2", "row 770 (0x3020, FM presets): [9] " +
                              QStringLiteral("%1").arg(a->cell(Area::Fm.firstRow + 2, 9), 2, 16, QLatin1Char('0')).toUpper() +
                              " -> 41"}));
}

void TestCli::changedOnlyWriteSendsWhatDiffersAndKeepsABackup()
{
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    auto plan = planImage();
    const QByteArray sent = sentRows(*plan);
    radio.radio().setMemory(0, toVector(sent));
    // The radio differs from the plan in one channel's record and name.
    radio.radio().setMemory(7 * 16, std::vector<uint8_t>(16, 0xFF));
    radio.radio().setMemory(Area::ChannelNames.firstAddress() + 12 * 16, std::vector<uint8_t>(16, 0xFF));

    Result r = runCli({"write", path("plan.dat"), "--changed-only", "--dry-run", "--port", "COM1"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("changes: 2 frames\nch 7 new: RX 146.52000")), qPrintable(r.out));
    QCOMPARE(radio.radio().writeFrames(), 0);
    auto listBackups = [] {
        return runCli({"backups", "--radio", "ORV123456789ABCD"}).out.split('\n', Qt::SkipEmptyParts);
    };
    // A dry run keeps none; the write keeps one, listed first.
    const int kept = listBackups().size();

    r = runCli({"write", path("plan.dat"), "--changed-only", "--port", "COM1"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("Written and checked: 2 frames.")), qPrintable(r.err));
    QCOMPARE(radio.radio().writtenAddresses(), (std::vector<int>{7 * 16, Area::ChannelNames.firstAddress() + 12 * 16}));
    QCOMPARE(radio.memory(0, sent.size()), sent);
    const QStringList listed = listBackups();
    QCOMPARE(listed.size(), kept + 1);
    QVERIFY2(listed.first().endsWith(QStringLiteral(".dat")) && listed.first().contains(path("data/orvane-cps/backups/ORV123456789ABCD/")),
             qPrintable(listed.first()));

    r = runCli({"write", path("plan.dat"), "--changed-only", "--port", "COM1"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("changes: 0 frames\n"));
    QCOMPARE(radio.radio().writeFrames(), 2);
}

void TestCli::quickWriteStandsOnTheHistory()
{
    // A history of its own, so that the other tests' reads are no baseline here.
    qputenv("XDG_DATA_HOME", path("quick-history").toLocal8Bit());
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    auto plan = planImage();
    const QByteArray sent = sentRows(*plan);
    radio.radio().setMemory(0, toVector(sent));
    radio.radio().setMemory(7 * 16, std::vector<uint8_t>(16, 0xFF));
    auto writeQuick = [&](const MemoryImage &image, const char *file) {
        DataFile::save(image, path(QString::fromLatin1(file)));
        radio.radio().resetCounters();
        return runCli({"write", path(QString::fromLatin1(file)), "--changed-only", "--quick", "--port", "COM1"});
    };

    // No history yet: the whole read, said on standard error.
    Result r = writeQuick(*plan, "quick1.dat");
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("changes: 1 frames\n")), qPrintable(r.out));
    QVERIFY2(r.err.contains(QStringLiteral("no baseline of radio ORV123456789ABCD in the history, so the whole radio is read first")),
             qPrintable(r.err));
    QCOMPARE(radio.radio().readRequests(), Area::BulkReadBlocks + 1);

    // The write left the baseline: one channel more reads one block before and one after.
    auto second = planImage();
    makeChannel(*second, 20, "147.5");
    r = writeQuick(*second, "quick2.dat");
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("changes: 1 frames\nch 20 new: RX 147.50000")), qPrintable(r.out));
    QVERIFY2(r.err.contains(QStringLiteral("Measured against the radio as it was on ")) && r.err.contains("(0x0140)"),
             qPrintable(r.err));
    QCOMPARE(radio.radio().readRequests(), 2);
    QCOMPARE(radio.radio().writtenAddresses(), std::vector<int>{20 * 16});
    QCOMPARE(radio.memory(0, sent.size()), sentRows(*second));

    // Someone changed that block on the radio since: the whole read again, and the plan wins.
    radio.radio().setMemory(21 * 16, std::vector<uint8_t>(16, 0x00));
    auto third = planImage();
    makeChannel(*third, 20, "147.525");
    r = writeQuick(*third, "quick3.dat");
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("The radio has changed since ")) && r.err.contains("(at 0x0140)"), qPrintable(r.err));
    QCOMPARE(radio.radio().readRequests(), 1 + Area::BulkReadBlocks + 1);
    QCOMPARE(radio.memory(0, sent.size()), sentRows(*third));

    // The history lists each snapshot with its kind.
    const QStringList listed = runCli({"backups"}).out.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(listed.size() >= 4 && listed.first().contains(QStringLiteral("  ORV123456789ABCD  written       ")), qPrintable(listed.join('\n')));
    QVERIFY2(listed.filter(QStringLiteral("  read  ")).size() >= 2, qPrintable(listed.join('\n')));

    // A history that cannot be written changes nothing the read does, and is said once.
    const QString history = Backups::folder();
    QVERIFY(QDir().rename(history, history + QStringLiteral(".moved")));
    QFile blocker(history);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    radio.radio().setMemory(30 * 16, std::vector<uint8_t>(16, 0x01));
    r = runCli({"read", "--port", "COM1", "-o", path("quick-read.dat")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err.count(QStringLiteral("The radio history could not keep what radio ORV123456789ABCD holds")), 1);
    MemoryImage read;
    QVERIFY(DataFile::load(read, path("quick-read.dat")).ok);
    QCOMPARE(read.row(30), QByteArray(16, 0x01));
    QFile::remove(history);
    QVERIFY(QDir().rename(history + QStringLiteral(".moved"), history));
    // ... and the newest snapshot on disk, older than the radio now, is no baseline.
    r = writeQuick(*third, "quick4.dat");
    QVERIFY2(r.err.contains(QStringLiteral("no baseline of radio ORV123456789ABCD")), qPrintable(r.err));
    QCOMPARE(radio.radio().readRequests(), Area::BulkReadBlocks + 1);
    qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
}

void TestCli::portsProbe_data()
{
    // What is behind COM1; COM1's line after its device and "pseudo-terminal" ("" for no
    // line at all); the exit code.
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("code");
    QTest::newRow("radio") << "answers"
                           << "opens  radio: OR-78V ORV123--456789--ABCD V1.2A.0.3 136--174 MHZ 400--480 MHZ" << 0;
    QTest::newRow("silent") << "silent" << "opens  no answer" << 2;
    QTest::newRow("wrong model code")
        << "wrong model code"
        << "opens  answer not understood (50 bytes): 06 01 03 06 01 07 04 04 00 00 04 08 00 51 44 4D 59 4F 52 2D 37 38 56 56 ..."
        << 2;
    QTest::newRow("garbage") << "garbage"
                             << "opens  answer not understood (53 bytes): A7 A7 A7 06 01 03 06 01 07 04 04 00 00 04 08 00 51 44 4D "
                                "58 4F 52 2D 37 ..."
                             << 2;
    // Not probed: nothing could answer through it.
    QTest::newRow("no permission") << "denied"
                                   << "no permission: you are not in the group \"%GROUP\" that owns this device; "
                                      "fix: sudo usermod -aG %GROUP \"$USER\", then log out and log in again"
                                   << 2;
    QTest::newRow("nothing") << "" << "" << 2;
}

void TestCli::portsProbe()
{
    QFETCH(QString, radio);
    QFETCH(QString, line);
    QFETCH(int, code);
    QTemporaryDir emptyFolder;
    PortNames::setLinkFolder(emptyFolder.path());
    std::unique_ptr<RadioOnCom> on;
    if (!radio.isEmpty()) {
        on = std::make_unique<RadioOnCom>(1);
        QVERIFY(on->ok());
        vradio::Faults faults;
        faults.silent = radio == QLatin1String("silent");
        faults.wrongModelCode = radio == QLatin1String("wrong model code");
        faults.garbageBeforeIdentification = radio == QLatin1String("garbage") ? 3 : 0;
        on->radio().setFaults(faults);
        // One attempt each, nothing counted that a late reply could change.
        Timer::setScale(0.05);
    }
    const QString device = PortNames::devicePath(1);
    if (radio == QLatin1String("denied"))
        PortAccess::setDeniedCheck([device](const QString &d) { return d == device; });
    const Result r = runCli({QStringLiteral("ports"), QStringLiteral("--probe")});
    PortAccess::resetDeniedCheck();
    // This machine's own devices may be listed too; none of them is a radio.
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList com1 = lines.filter(QRegularExpression(QStringLiteral("^COM1 ")));
    if (line.isEmpty()) {
        QVERIFY2(com1.isEmpty(), qPrintable(r.out));
    } else {
        line.replace(QLatin1String("%GROUP"), PortAccess::owningGroup(device));
        QCOMPARE(com1, QStringList{QStringLiteral("COM1  %1  pseudo-terminal  %2").arg(device, line)});
    }
    QCOMPARE(r.code, code);
    if (code != 0)
        QVERIFY2(lines.last() == QLatin1String("no radio answered") || lines.last() == QLatin1String("no serial port found"),
                 qPrintable(r.out));
    // One attempt: the probe does not retry.
    if (on && radio != QLatin1String("denied"))
        QCOMPARE(on->radio().handshakes(), 1);
    PortNames::resetLinkFolder();
}

void TestCli::diffNamesAlignmentValues_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<QString>("shown");
    QTest::newRow("high power") << 0 << 0 << QByteArray("\x0D") << "high power VHF 130MHZ 12 -> 13";
    QTest::newRow("low power, last UHF point") << 3 << 15 << QByteArray("\x06") << "low power UHF 490MHZ 5 -> 6";
    QTest::newRow("squelch compensation") << 5 << 2 << QByteArray("\x03") << "VHF squelch compensation 138 8 -> 3";
    QTest::newRow("UHF squelch level") << 6 << 9 << QByteArray("\x32") << "UHF squelch level 9 41 -> 50";
    QTest::newRow("list setting") << 8 << 0 << QByteArray("\x3D") << QStringLiteral("话音调制度 (Combo_Voice_Dev) 60 -> 61");
    QTest::newRow("range limit, three digits") << 9 << 3 << QByteArray("\x01\x07\x04", 3) << "VHF upper limit 179 -> 174";
    QTest::newRow("squelch byte past the levels") << 4 << 12 << QByteArray("\x05") << "line 4 bytes [12] 30 -> 05";
    QTest::newRow("line not edited") << 12 << 0 << QByteArray("\x01") << "line 12 bytes [0] 00 -> 01";
}

void TestCli::diffNamesAlignmentValues()
{
    QFETCH(int, line);
    QFETCH(int, byte);
    QFETCH(QByteArray, values);
    QFETCH(QString, shown);
    // The alignment block where a data file carries it, holding the alignment defaults.
    const int firstRow = Area::AlignmentAddress / MemoryImage::Columns;
    auto a = planImage();
    const QByteArray defaults = Alignment::builtInDefaults();
    for (int i = 0; i < Alignment::Bytes; ++i)
        a->setAt(Area::AlignmentAddress + i, uint8_t(defaults.at(i)));
    auto b = std::make_unique<MemoryImage>(*a);
    for (int i = 0; i < values.size(); ++i)
        b->setCell(firstRow + line, byte + i, uint8_t(values.at(i)));
    QVERIFY(DataFile::save(*a, path("a.dat")).ok);
    QVERIFY(DataFile::save(*b, path("b.dat")).ok);

    const Result r = runCli({"diff", path("a.dat"), path("b.dat")});
    QCOMPARE(r.code, 3);
    QCOMPARE(r.out, QStringLiteral("alignment ") + shown + QLatin1Char('\n'));
}

void TestCli::csvCommands()
{
    const Result exported = runCli({"export-csv", path("plan.dat")});
    QCOMPARE(exported.code, 0);
    QCOMPARE(exported.out.toUtf8(), ChannelCsv::write(*planImage(), BandLimits::startup()));

    QFile csv(path("plan.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("Location,Frequency,Name\r\n40,185,HIGHV\r\n");
    csv.close();
    // 185 MHz is outside the start-up limits; --bands lets the file speak for another radio.
    const QStringList import{"import-csv", path("plan.csv"), "--into", path("plan.dat"), "-o", path("imported.dat")};
    QCOMPARE(runCli(import).code, 4);
    QVERIFY(!QFile::exists(path("imported.dat")));
    const Result r = runCli(import + QStringList{"--bands", "100,200,400,520"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("Imported 1 channels.\n"));
    const Result d = runCli({"diff", path("plan.dat"), path("imported.dat")});
    QCOMPARE(d.out.split(QLatin1Char('\n')).first().left(26), QStringLiteral("ch 40 new: RX 185.00000, T"));
    QCOMPARE(d.out.count(QLatin1Char('\n')), 1);
}

void TestCli::configCommands()
{
    const Result exported = runCli({"export-config", path("plan.dat")});
    QCOMPARE(exported.code, 0);
    QCOMPARE(exported.out.toUtf8(), ConfigText::exportImage(*planImage()));
    QCOMPARE(runCli({"export-config", path("plan.dat"), "-o", path("plan.yaml")}).code, 0);

    // Without --into the plan is read over the start-up image, and still gives every byte back.
    const Result back = runCli({"import-config", path("plan.yaml"), "-o", path("back.dat")});
    QCOMPARE(back.code, 0);
    auto image = std::make_unique<MemoryImage>();
    QVERIFY(DataFile::load(*image, path("back.dat")).ok);
    QVERIFY(*image == *planImage());

    // The plan's channel 3 is on 145.5 MHz: a radio of 146-174 MHz refuses it, and no file is written.
    const QStringList import{"import-config", path("plan.yaml"), "--into", path("plan.dat"), "-o", path("x.dat")};
    const Result refused = runCli(import + QStringList{"--bands", "146,174,400,480"});
    QCOMPARE(refused.code, 4);
    QVERIFY2(refused.err.contains(QRegularExpression(QStringLiteral("plan\\.yaml:\\d+ channels\\[\\d+\\]\\.rx: 145\\.50000 is outside 146-174\n"))),
             qPrintable(refused.err));
    QVERIFY(!QFile::exists(path("x.dat")));
}

namespace {

// A virtual radio of its own number, behind a COM number of the link folder in use.
std::unique_ptr<vradio::VirtualRadio> fleetRadio(char last, int com, const QString &folder, const QByteArray &memory)
{
    auto radio = std::make_unique<vradio::VirtualRadio>();
    vradio::Identity identity;
    identity.number = std::string("ORV10000000000") + "0" + last;
    radio->setIdentity(identity);
    radio->setMemory(0, toVector(memory));
    std::string error;
    if (!radio->open(&error) || !radio->linkAsCom(com, folder.toStdString(), &error))
        qWarning("virtual radio: %s", error.c_str());
    radio->start();
    return radio;
}

} // namespace

void TestCli::fleetGivesEachRadioTheTemplateAndItsRow_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("done");
    QTest::newRow("changed only") << QStringList() << "  ok: Written and checked: ";
    QTest::newRow("whole write") << QStringList{"--full"} << "  ok: Written and verified: 784 frames.";
    // The history of the rows above says each radio holds its row already; these radios
    // hold the template, so nothing can be checked and each is read whole.
    QTest::newRow("quick") << QStringList{"--quick"} << "  ok: Written and checked: ";
}

void TestCli::fleetGivesEachRadioTheTemplateAndItsRow()
{
    QFETCH(QStringList, options);
    QFETCH(QString, done);
    QTemporaryDir links;
    PortNames::setLinkFolder(links.path());
    const auto plan = planImage();
    const QByteArray before = sentRows(*plan);
    // The first row is radio 1's own, by the number as the status bar shows it; the other
    // two go to the next radios that have no row of their own.
    const QByteArray radios = "radio,options.ani,options.power_on_message_1,channels.12.name\n"
                              "ORV100--000000--0001,101,FIRST,ONE\n"
                              ",102,\"SECOND\",\n"
                              ",103,THIRD,THREE\n";
    QFile csv(path("fleet.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(radios) == radios.size());
    csv.close();
    FleetPlan expected;
    QStringList errors;
    QVERIFY2(expected.load(radios, QStringLiteral("fleet.csv"), *plan, errors), qPrintable(errors.join('\n')));
    QFile::remove(path("fleet.log"));

    auto first = fleetRadio('1', 1, links.path(), before);
    auto second = fleetRadio('2', 2, links.path(), before);
    std::unique_ptr<vradio::VirtualRadio> third;
    // Once the first radio is logged it is unplugged, and the third one takes its port.
    QTimer swap;
    int ticksSinceUnplug = -1;
    QObject::connect(&swap, &QTimer::timeout, [&] {
        QFile log(path("fleet.log"));
        if (ticksSinceUnplug < 0 && log.open(QIODevice::ReadOnly) && log.readAll().contains("ORV100--000000--0001")) {
            first->hangUp();
            ticksSinceUnplug = 0;
        } else if (ticksSinceUnplug >= 0 && !third && ++ticksSinceUnplug > 5) {
            third = fleetRadio('3', 1, links.path(), before);
        }
    });
    swap.start(20);
    // A fleet that never ends is stopped as Ctrl+C stops it, and fails below.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { std::raise(SIGINT); });
    guard.start(60000);

    const Result r = runCli(QStringList{"fleet", path("plan.dat"), "--radios", path("fleet.csv"), "--port", "COM1", "--port",
                                        "COM2", "--log", path("fleet.log")}
                            + options);
    swap.stop();
    PortNames::resetLinkFolder();
    QCOMPARE(r.code, 0);
    QVERIFY(third);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    for (const QString &line : lines)
        QVERIFY2(line.contains(done), qPrintable(r.out + r.err));

    // Each radio holds the template and its own row; the second and third in the order they came.
    const vradio::VirtualRadio *programmed[] = {first.get(), second.get(), third.get()};
    for (int i = 0; i < 3; ++i) {
        const std::vector<uint8_t> held = programmed[i]->memory(0, before.size());
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(held.data()), int(held.size())), sentRows(expected.row(i).image));
    }
    QVERIFY(expected.row(0).image != *plan && expected.row(1).image != expected.row(2).image);

    QFile log(path("fleet.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList logged = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(logged.size(), 3);
    QStringList seen;
    for (const QString &line : logged) {
        QVector<CsvText::Record> cells;
        int open = 0;
        QVERIFY(CsvText::read(line, QLatin1Char(','), cells, open));
        const QStringList c = cells.first().fields;
        QCOMPARE(c.size(), 9);
        QVERIFY2(QDateTime::fromString(c.at(0), Qt::ISODate).isValid(), qPrintable(line));
        QCOMPARE(c.at(3), QStringLiteral("OR-78V"));
        QCOMPARE(c.at(6), QStringLiteral("ok"));
        QVERIFY(c.at(7).toInt() > 0);
        seen << c.at(1).left(4) + c.at(2).right(1) + QStringLiteral(" line ") + c.at(5);
    }
    seen.sort();
    QCOMPARE(seen, (QStringList{"COM11 line 2", "COM13 line 4", "COM22 line 3"}));
}

void TestCli::fleetChecksEveryRowFirst_data()
{
    QTest::addColumn<QByteArray>("radios");
    QTest::addColumn<QString>("message");
    QTest::newRow("no header") << QByteArray("options.ani\n123\n")
                               << ":1 the header must be \"radio\" followed by configuration keys";
    QTest::newRow("unknown key") << QByteArray("radio,options.ani,options.colour\n,123,red\n")
                                 << ":1 options.colour: is not a key this program knows";
    QTest::newRow("key twice") << QByteArray("radio,options.ani,options.ani\n,123,124\n") << ":1 options.ani: is given twice";
    QTest::newRow("no such channel") << QByteArray("radio,channels.200.name\n,AB\n")
                                     << ":1 channels.200.name: needs a channel number from 0 to 199";
    // The good first row is not written while a later one is bad.
    QTest::newRow("bad value on the second row") << QByteArray("radio,options.ani\n,123\n,12\n")
                                                 << ":3 options.ani: 12 needs 3 to 5 digits";
    QTest::newRow("bad name") << QByteArray("radio,channels.12.name\n,R*1\n") << ":2 channels.12.name: R*1 may hold only 0-9 and A-Z";
    QTest::newRow("empty channel") << QByteArray("radio,channels.5.name\n,AB\n") << ":2 channels.5: channel 5 is empty and needs rx";
    QTest::newRow("radio twice") << QByteArray("radio,options.ani\nORV1,123\norv-1,124\n")
                                 << ":3 radio: orv-1 has a row already, on line 2";
    QTest::newRow("too many cells") << QByteArray("radio,options.ani\n,123,9\n") << ":2 has 3 cells; the header names 2";
    QTest::newRow("no rows") << QByteArray("radio,options.ani\n") << " has no rows";
}

void TestCli::fleetChecksEveryRowFirst()
{
    QFETCH(QByteArray, radios);
    QFETCH(QString, message);
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    QFile csv(path("RADIOS.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(radios) == radios.size());
    csv.close();
    const Result r = runCli({"fleet", path("plan.dat"), "--radios", path("RADIOS.csv"), "--port", "COM1"});
    QCOMPARE(r.code, 4);
    QVERIFY2(r.err.contains("orvane-cli: " + path("RADIOS.csv") + message), qPrintable(r.err));
    QCOMPARE(radio.radio().handshakes(), 0);
    QVERIFY(r.out.isEmpty());
}

void TestCli::progressOnlyOnATerminal_data()
{
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("terminal") << true << false << true;
    QTest::newRow("terminal, -q") << true << true << false;
    QTest::newRow("pipe or file") << false << false << false;
}

void TestCli::progressOnlyOnATerminal()
{
    QFETCH(bool, terminal);
    QFETCH(bool, quiet);
    QFETCH(bool, drawn);
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    QStringList args{"read", "--port", "COM1", "-o", path("progress.dat")};
    if (quiet)
        args << "-q";
    const Result r = runCli(args, terminal);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err.contains(QStringLiteral("\rread   [")), drawn);
    QCOMPARE(r.err.contains(QStringLiteral("] 200/200\n")), drawn);
    if (!drawn)
        QCOMPARE(r.err, QStringLiteral("read COM1 (%1) into %2\n").arg(PortNames::devicePath(1), path("progress.dat")));
}

void TestCli::progressOfTheBuiltCommand_data()
{
    QTest::addColumn<bool>("terminal");
    QTest::newRow("standard error a pipe") << false;
    QTest::newRow("standard error a terminal") << true;
}

void TestCli::progressOfTheBuiltCommand()
{
    QFETCH(bool, terminal);
    // The built command decides by itself whether its standard error is a terminal; it
    // runs at full timer scale, so a read takes a few seconds.
    RadioOnCom radio(1);
    QVERIFY(radio.ok());
    QProcess cli;
    int master = -1, slave = -1;
    char name[256] = {};
    QByteArray seen;
    std::atomic<bool> stop{false};
    std::thread reader;
    if (terminal) {
        QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
        termios tio{};
        ::tcgetattr(slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
        cli.setStandardErrorFile(QString::fromLatin1(name));
        // The terminal's buffer is small; read it while the command writes.
        reader = std::thread([&] {
            char buffer[512];
            while (!stop) {
                pollfd p{master, POLLIN, 0};
                if (::poll(&p, 1, 50) > 0) {
                    const ssize_t n = ::read(master, buffer, sizeof buffer);
                    if (n > 0)
                        seen.append(buffer, int(n));
                }
            }
        });
    }
    cli.start(QStringLiteral(ORVANE_CLI_PATH),
              {"read", "--port", QString::fromStdString(radio.radio().slavePath()), "-o", path("built.dat")});
    QVERIFY(cli.waitForFinished(60000));
    if (terminal) {
        QTest::qWait(100);
        stop = true;
        reader.join();
        ::close(master);
        ::close(slave);
    } else {
        seen = cli.readAllStandardError();
    }
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(seen.contains("\rread   ["), terminal);
    QCOMPARE(seen.contains('#'), terminal);
    QVERIFY(seen.contains("read " + radio.radio().slavePath() + " into "));
}

void TestCli::mergeAndRepeaterCommands()
{
    // The source: channel 3 as the plan has it, 20 new, 30 outside the bands.
    auto source = planImage();
    makeChannel(*source, 20, "145.6");
    makeChannel(*source, 30, "200");
    ChannelRecord(*source, 20).setName(QStringLiteral("NEW20"));
    QFile yaml(path("source.yaml"));
    QVERIFY(yaml.open(QIODevice::WriteOnly));
    yaml.write(ConfigText::exportImage(*source));
    yaml.close();

    Result r = runCli({"merge", path("source.yaml"), "--into", path("plan.dat"), "-o", path("merged.dat"), "--mode",
                       "replace"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("merged 1, refused 1, skipped 3\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("merged: channel 20 (145.60000 NEW20) -> channel 20\n")));
    QVERIFY(r.out.contains(QStringLiteral("refused: channel 30 (200.00000): Over the range of receive frequency .\n")));
    QVERIFY(r.out.contains(QStringLiteral("skipped: channel 3 (145.50000): same as channel 3\n")));
    auto merged = std::make_unique<MemoryImage>();
    QVERIFY(DataFile::load(*merged, path("merged.dat")).ok);
    auto expected = planImage();
    expected->setRows(20, source->row(20));
    expected->setRows(256 + 20, source->row(256 + 20));
    QCOMPARE(merged->rows(0, MemoryImage::Rows), expected->rows(0, MemoryImage::Rows));

    r = runCli({"merge", path("source.yaml"), "--into", path("plan.dat"), "-o", path("merged.dat"), "--keep-duplicates"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("merged 4, refused 1, skipped 0\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("merged: channel 3 (145.50000) -> channel 0\n")));

    // The placement refuses: nothing is written.
    r = runCli({"merge", path("source.yaml"), "--into", path("plan.dat"), "-o", path("nothing.dat"), "--mode", "insert",
                "--at", "199", "--keep-duplicates"});
    QCOMPARE(r.code, 4);
    QVERIFY(r.err.contains(QStringLiteral("nothing.dat was not written")));
    QVERIFY(!QFile::exists(path("nothing.dat")));

    QFile list(path("repeaters.csv"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("callsign,frequency_tx,frequency_rx,ctcss_tx,ctcss_rx,site_name,latitude,longitude\n"
               "DB0FAR,439.8,430.2,,,Berlin,52.5,13.4\n"
               "DB0ABC,145.6,145.0,,88.5,Munich,48.14,11.58\n"
               "DM0NOP,145.65,145.05,,,Nowhere,,\n");
    list.close();
    const QStringList base{"import-repeaters", path("repeaters.csv"), "--into", path("plan.dat"), "-o", path("rpt.dat")};
    r = runCli(base + QStringList{"--near", "JN58td", "--within", "50", "--at", "100"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("merged 1, refused 0, skipped 2\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("merged: line 3 (145.60000 DB0ABC) -> channel 100\n")));
    QVERIFY(r.out.contains(QStringLiteral("skipped: line 2 (439.80000 DB0FAR): not checked; ")));
    QVERIFY(r.out.contains(QStringLiteral("skipped: line 4 (145.65000 DM0NOP): not checked; no coordinates\n")));
    QVERIFY(DataFile::load(*merged, path("rpt.dat")).ok);
    QCOMPARE(ChannelRecord(*merged, 100).txFrequencyText(), QStringLiteral("145.00000"));
    QCOMPARE(ChannelRecord(*merged, 100).txToneText(), QStringLiteral("88.5"));
    QCOMPARE(ChannelRecord(*merged, 100).rxToneText(), QStringLiteral("OFF"));

    // As the radio's settings, with the tone column mapped by hand to the other one.
    r = runCli(base + QStringList{"--side", "radio", "--map", "tone-out=ctcss_rx", "--map", "tone-in=-"});
    QCOMPARE(r.code, 0);
    QVERIFY(DataFile::load(*merged, path("rpt.dat")).ok);
    QCOMPARE(ChannelRecord(*merged, 1).rxFrequencyText(), QStringLiteral("145.00000"));
    QCOMPARE(ChannelRecord(*merged, 1).txFrequencyText(), QStringLiteral("145.60000"));
    QCOMPARE(ChannelRecord(*merged, 1).txToneText(), QStringLiteral("88.5"));

    QVERIFY(QFile::remove(path("rpt.dat")));
    r = runCli(base + QStringList{"--near", "JN5"});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("--near takes a Maidenhead locator")));
    r = runCli(base + QStringList{"--map", "lat=site_name"});
    QCOMPARE(r.code, 4);
    QVERIFY2(r.err.contains(QStringLiteral("repeaters.csv: Line 2, column site_name, value \"Berlin\": not a latitude")),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(path("rpt.dat")));

    // diff takes a configuration text on either side.
    r = runCli({"diff", path("source.yaml"), path("plan.dat")});
    QCOMPARE(r.code, 3);
    QVERIFY2(r.out.contains(QStringLiteral("ch 20")), qPrintable(r.out));
    QFile same(path("plan.yaml"));
    QVERIFY(same.open(QIODevice::WriteOnly));
    same.write(ConfigText::exportImage(*planImage()));
    same.close();
    r = runCli({"diff", path("plan.dat"), path("plan.yaml")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("no differences\n"));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
