// The fleet window: its radios table checked as the command line checks the file, the file
// itself both ways, and jobs against virtual radios on two ports.

#include "fleet/fleetplan.h"
#include "fleet/radiostable.h"
#include "image/areamap.h"
#include "link/bulkwrite.h"
#include "platform/portnames.h"
#include "shell/fleetwindow.h"
#include "shell/imageinitialisation.h"
#include "support/testsupport.h"
#include "virtualradio.h"

#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {

const QString Ani = QStringLiteral("options.ani");
const QString Message = QStringLiteral("options.power_on_message_1");
const QString SelfId = QStringLiteral("five_tone.encode.1.frame_1");

QByteArray sentRows(const MemoryImage &image)
{
    MemoryImage prepared(image);
    BulkWrite::prepare(prepared);
    return prepared.rows(0, Area::BulkWriteFrames);
}

QByteArray held(const vradio::VirtualRadio &radio, int bytes)
{
    const std::vector<uint8_t> m = radio.memory(0, bytes);
    return QByteArray(reinterpret_cast<const char *>(m.data()), int(m.size()));
}

QString numberOf(char last)
{
    return QStringLiteral("ORV10000000000") + QLatin1Char('0') + QLatin1Char(last);
}

// A radio of its own number behind a COM number of the test's link folder.
std::unique_ptr<vradio::VirtualRadio> radioOn(int com, char last, const QString &folder, const QByteArray &memory,
                                              const vradio::Faults &faults = {})
{
    auto radio = std::make_unique<vradio::VirtualRadio>();
    vradio::Identity identity;
    identity.number = numberOf(last).toStdString();
    radio->setIdentity(identity);
    radio->setMemory(0, std::vector<uint8_t>(memory.begin(), memory.end()));
    radio->setFaults(faults);
    std::string error;
    if (!radio->open(&error) || !radio->linkAsCom(com, folder.toStdString(), &error))
        qWarning("virtual radio: %s", error.c_str());
    radio->start();
    return radio;
}

// Types into a cell as a person does: the item's text changes and the table says so.
void type(FleetWindow &w, int row, int column, const QString &text)
{
    w.radiosTable()->item(row, column)->setText(text);
}

} // namespace

class TestFleetWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tableChecksEveryCell_data();
    void tableChecksEveryCell();
    void radiosFileRoundTripsWithTheCommandLine();
    void badRowBlocksTheStart();
    void silentRadioFailsWhileTheOtherPortCompletes();
    void stopFinishesTheFrameInFlight();

private:
    std::unique_ptr<TestSupport::TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_links;
};

void TestFleetWindow::init()
{
    TestSupport::resetState();
    m_home = std::make_unique<TestSupport::TemporaryHome>();
    m_links = std::make_unique<QTemporaryDir>();
    PortNames::setLinkFolder(m_links->path());
    initialiseMemoryImage(TestSupport::image());
}

void TestFleetWindow::cleanup()
{
    PortNames::resetLinkFolder();
    m_links.reset();
    m_home.reset();
    TestSupport::endState();
}

void TestFleetWindow::tableChecksEveryCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("faultRow");
    QTest::addColumn<QString>("message");
    // Row 0 is good throughout; row 1 gets the cell.
    QTest::newRow("good") << 1 << "103" << -1 << "";
    QTest::newRow("ANI too short") << 1 << "12" << 1 << "12 needs 3 to 5 digits";
    QTest::newRow("ANI letter") << 1 << "12X" << 1 << "may hold only";
    QTest::newRow("message character") << 2 << "A*B" << 1 << "may hold only 0-9, A-Z, +, - and spaces";
    QTest::newRow("message too long") << 2 << "SEVENCH" << 1 << "";
    QTest::newRow("self ID short") << 3 << "123" << 1 << "needs 5 digits of 0-9, A-F, or nothing";
    QTest::newRow("radio number twice") << 0 << "orv1-00000000000001" << 1 << "has a row already";
}

void TestFleetWindow::tableChecksEveryCell()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, faultRow);
    QFETCH(QString, message);
    FleetWindow w;
    w.setPorts({});
    QCOMPARE(w.table().keys, (QStringList{Ani, Message, SelfId}));
    w.addRow();
    type(w, 0, 0, QStringLiteral("ORV1--00000000000001"));
    type(w, 0, 1, QStringLiteral("101"));
    type(w, 0, 2, QStringLiteral("UNIT 1"));
    type(w, 0, 3, QStringLiteral("1A2B3"));
    QVERIFY2(w.faults().isEmpty(), qPrintable(w.faults().value(0).text));
    type(w, 1, column, text);
    QCOMPARE(w.table().rows.at(1).at(column), text);
    if (faultRow < 0) {
        QVERIFY(w.faults().isEmpty());
        return;
    }
    QCOMPARE(w.faults().size(), 1);
    const RadiosTable::Fault f = w.faults().first();
    QCOMPARE(f.row, faultRow);
    QCOMPARE(f.column, column);
    QVERIFY2(f.text.contains(message), qPrintable(f.text));
    // Beside the cell: marked, and the row's own check column says why.
    const QTableWidget *t = w.radiosTable();
    QCOMPARE(t->item(1, column)->toolTip(), f.text);
    QVERIFY(t->item(1, t->columnCount() - 1)->text().contains(f.text));
    QVERIFY(t->item(0, t->columnCount() - 1)->text().isEmpty());
    QVERIFY(!w.findChild<QLabel *>(QStringLiteral("Label_faults"))->isHidden());
    // Fixing the cell clears it.
    type(w, 1, column, QString());
    QVERIFY(w.faults().isEmpty());
}

void TestFleetWindow::radiosFileRoundTripsWithTheCommandLine()
{
    // A file as the README shows it for orvane-cli fleet, with a channel key and quotes.
    const QByteArray cli = "radio,options.ani,options.power_on_message_1,channels.150.name\n"
                           "ORV123--456789--ABCD,101,\"UNIT 1\",BASE1\n"
                           ",102,UNIT 2,\n";
    MemoryImage &image = TestSupport::image();
    QTemporaryDir dir;
    QFile in(dir.filePath("in.csv"));
    QVERIFY(in.open(QIODevice::WriteOnly) && in.write(cli) == cli.size());
    in.close();

    FleetWindow w;
    w.setPorts({});
    QVERIFY(w.loadRadios(dir.filePath("in.csv")));
    QCOMPARE(w.table().keys, (QStringList{Ani, Message, QStringLiteral("channels.150.name")}));
    QCOMPARE(w.table().rows.size(), 2);
    QCOMPARE(w.table().rows.at(0).at(2), QStringLiteral("UNIT 1"));
    // Channel 150 is empty in the start-up image: the row that names it needs rx, as the CLI says.
    QCOMPARE(w.faults().size(), 1);
    QCOMPARE(w.faults().first().row, 0);
    QVERIFY2(w.faults().first().text.contains("channel 150 is empty and needs rx"), qPrintable(w.faults().first().text));
    QVERIFY(w.addColumn(QStringLiteral("channels.150.rx")));
    QVERIFY(!w.addColumn(QStringLiteral("channels.150.colour")));
    QVERIFY(TestSupport::takeMessages().first().contains("is not a key this program knows"));
    type(w, 0, 4, QStringLiteral("145.5"));
    QVERIFY(w.faults().isEmpty());

    QVERIFY(w.saveRadios(dir.filePath("out.csv")));
    QFile out(dir.filePath("out.csv"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray saved = out.readAll();
    QCOMPARE(saved, QByteArray("radio,options.ani,options.power_on_message_1,channels.150.name,channels.150.rx\n"
                               "ORV123--456789--ABCD,101,UNIT 1,BASE1,145.5\n"
                               ",102,UNIT 2,,\n"));
    // The command line's reader takes it, row for row as the window reads it.
    FleetPlan plan;
    QStringList errors;
    QVERIFY2(plan.load(saved, QStringLiteral("out.csv"), image, errors), qPrintable(errors.join('\n')));
    QCOMPARE(plan.rowCount(), 2);
    QCOMPARE(plan.row(0).radio, QStringLiteral("ORV123--456789--ABCD"));
    RadiosTable again;
    QString error;
    QVERIFY(RadiosTable::read(saved, again, error));
    QCOMPARE(again.keys, w.table().keys);
    QCOMPARE(again.rows, w.table().rows);
    QCOMPARE(again.toCsv(), saved);

    // What the command line refuses to read at all, the window refuses too, keeping its table.
    const QByteArray bad = "options.ani\n123\n";
    QFile badFile(dir.filePath("bad.csv"));
    QVERIFY(badFile.open(QIODevice::WriteOnly) && badFile.write(bad) == bad.size());
    badFile.close();
    QVERIFY(!w.loadRadios(dir.filePath("bad.csv")));
    QVERIFY(TestSupport::takeMessages().first().contains("the header must be \"radio\""));
    QCOMPARE(w.table().rows, again.rows);
}

void TestFleetWindow::badRowBlocksTheStart()
{
    const QByteArray before = sentRows(TestSupport::image());
    auto radio = radioOn(1, '1', m_links->path(), before);
    FleetWindow w;
    w.setPorts({QStringLiteral("COM1")});
    w.setPortChecked(QStringLiteral("COM1"), true);
    type(w, 0, 1, QStringLiteral("101"));
    w.addRow();
    type(w, 1, 1, QStringLiteral("1"));
    QVERIFY(!w.start());
    QVERIFY(!w.isRunning());
    const QStringList messages = TestSupport::takeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains("nothing was written to any radio:\nRow 2: 1 needs 3 to 5 digits"), qPrintable(messages.first()));
    // No port was even asked who is there.
    QTest::qWait(100);
    QCOMPARE(radio->handshakes(), 0);
    QCOMPARE(held(*radio, before.size()), before);

    // Nor does a job start without a port.
    type(w, 1, 1, QStringLiteral("102"));
    w.setPortChecked(QStringLiteral("COM1"), false);
    QVERIFY(!w.start());
    QCOMPARE(TestSupport::takeMessages(), QStringList{"Operate prompt|Choose at least one port."});
    QCOMPARE(radio->handshakes(), 0);
}

void TestFleetWindow::silentRadioFailsWhileTheOtherPortCompletes()
{
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    const QByteArray before = sentRows(TestSupport::image());
    // The first radio acknowledges one frame of its write, then says nothing more.
    vradio::Faults silentAfterOne;
    silentAfterOne.silentAfterWriteFrames = 1;
    auto first = radioOn(1, '1', m_links->path(), before, silentAfterOne);
    auto second = radioOn(2, '2', m_links->path(), before);

    Language::setChinese(false);
    TestSupport::Hosted<FleetWindow> hosted;
    FleetWindow &w = *hosted.window;
    w.setPorts({QStringLiteral("COM1"), QStringLiteral("COM2")});
    w.setPortChecked(QStringLiteral("COM1"), true);
    w.setPortChecked(QStringLiteral("COM2"), true);
    // Each row names its radio, so which port takes which row does not hang on timing.
    type(w, 0, 0, numberOf('2'));
    type(w, 0, 1, QStringLiteral("102"));
    type(w, 0, 2, QStringLiteral("UNIT 2"));
    type(w, 0, 3, QStringLiteral("22222"));
    w.addRow();
    type(w, 1, 0, numberOf('1'));
    type(w, 1, 1, QStringLiteral("101"));
    type(w, 1, 3, QStringLiteral("11111"));
    QVERIFY(w.faults().isEmpty());
    QSignalSpy done(&w, &FleetWindow::radioDone);
    // A port's row as it stood when its radio was reported; a silent radio looks unplugged soon after.
    QStringList shown(2);
    connect(&w, &FleetWindow::radioDone, this, [&](const FleetReport &r) {
        const int port = r.port.startsWith(QLatin1String("COM1")) ? 0 : 1;
        shown[port] = w.stationsTable()->item(port, 1)->text() + QLatin1Char('|') + w.stationsTable()->item(port, 4)->text();
    });
    QVERIFY(w.start());
    // The document changes while the job runs; the job keeps the copy it started from.
    const MemoryImage templateAtStart = TestSupport::image();
    TestSupport::image().setAt(Area::Options.firstAddress(), 0x00);
    while (done.size() < 2)
        QVERIFY(done.wait(60000));

    QCOMPARE(w.reports().size(), 2);
    const FleetReport *ok = nullptr;
    const FleetReport *bad = nullptr;
    for (const FleetReport &r : w.reports())
        (r.failed ? bad : ok) = &r;
    QVERIFY(ok && bad);
    QCOMPARE(ok->identity.number.trimmed(), numberOf('2'));
    QCOMPARE(ok->line, 2);
    QCOMPARE(bad->line, 3);
    QVERIFY2(bad->result.startsWith("failed: Writing stopped after 1 of "), qPrintable(bad->result));
    QCOMPARE(bad->frames, 1);

    // The radio that completed holds the template and its own row.
    FleetPlan expected;
    QStringList errors;
    QVERIFY(expected.load(w.table().toCsv(), QStringLiteral("x"), templateAtStart, errors));
    QCOMPARE(held(*second, before.size()), sentRows(expected.row(0).image));

    // Each port's row says where it stands, and so does each row of the radios table.
    const QTableWidget *stations = w.stationsTable();
    QCOMPARE(stations->rowCount(), 2);
    QCOMPARE(shown.at(1), QStringLiteral("done; unplug to continue|row 1 (line 2)"));
    QVERIFY2(shown.at(0).startsWith("failed: Writing stopped after 1 of "), qPrintable(shown.at(0)));
    QVERIFY2(shown.at(0).endsWith("unplug to continue|row 2 (line 3)"), qPrintable(shown.at(0)));
    const int state = w.table().keys.size() + 1;
    QCOMPARE(w.radiosTable()->item(0, state)->text(), QStringLiteral("done"));
    QCOMPARE(w.radiosTable()->item(1, state)->text(), QStringLiteral("failed; free for the next radio"));
    QCOMPARE(w.plan().doneCount(), 1);

    // The log shows and saves the command line's lines.
    QCOMPARE(w.logTable()->rowCount(), 2);
    QCOMPARE(w.logTable()->columnCount(), FleetReport::LogColumns);
    QTemporaryDir dir;
    QVERIFY(w.saveLog(dir.filePath("log.csv")));
    QFile log(dir.filePath("log.csv"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(log.readAll()), w.reports().at(0).logLine() + w.reports().at(1).logLine());

    QSignalSpy ended(&w, &FleetWindow::jobEnded);
    w.stop();
    QVERIFY(ended.wait(10000));
    QVERIFY(!w.isRunning());
    QCOMPARE(w.statusLine()->text(), QStringLiteral("Stopped: 1 of 2 rows done, 1 failed."));
}

void TestFleetWindow::stopFinishesTheFrameInFlight()
{
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    const QByteArray before = sentRows(TestSupport::image());
    // A radio whose every row differs from the plan, so that each frame shows where it went.
    QByteArray other = before;
    for (char &b : other)
        b = char(~b);
    auto radio = radioOn(1, '1', m_links->path(), other);

    TestSupport::Hosted<FleetWindow> hosted;
    FleetWindow &w = *hosted.window;
    w.setPorts({QStringLiteral("COM1")});
    w.setPortChecked(QStringLiteral("COM1"), true);
    w.setHow(FleetWindow::How::Whole);
    type(w, 0, 1, QStringLiteral("101"));
    QVERIFY(w.start());
    QTRY_VERIFY_WITH_TIMEOUT(w.stationsTable()->item(0, 1)->text().startsWith("writing 2"), 60000);

    // Closing asks first; No leaves the job running.
    MessageBox::setRecordedAnswer(false);
    QVERIFY(!hosted.frame->close());
    QVERIFY(w.isRunning());
    QCOMPARE(TestSupport::takeMessages().size(), 1);

    QSignalSpy ended(&w, &FleetWindow::jobEnded);
    w.stop();
    QVERIFY(ended.wait(10000));
    QCOMPARE(w.reports().size(), 1);
    const FleetReport &r = w.reports().first();
    QVERIFY2(r.result.startsWith(QStringLiteral("failed: stopped after %1 of 784 frames").arg(r.frames)), qPrintable(r.result));
    QVERIFY(r.frames >= 2 && r.frames < 784);
    // Every acknowledged frame is in the radio, and nothing after them.
    FleetPlan expected;
    QStringList errors;
    QVERIFY(expected.load(w.table().toCsv(), QStringLiteral("x"), TestSupport::image(), errors));
    const QByteArray sent = sentRows(expected.row(0).image);
    const QByteArray now = held(*radio, before.size());
    const int bytes = r.frames * Area::FrameBytes;
    QCOMPARE(now.left(bytes), sent.left(bytes));
    QCOMPARE(now.mid(bytes), other.mid(bytes));
    QCOMPARE(radio->writeFrames(), r.frames);
    QCOMPARE(w.radiosTable()->item(0, w.table().keys.size() + 1)->text(), QStringLiteral("failed; free for the next radio"));
    QCOMPARE(w.stationsTable()->item(0, 1)->text(), QStringLiteral("stopped"));
}

QTEST_MAIN(TestFleetWindow)
#include "tst_fleetwindow.moc"
