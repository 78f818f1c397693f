// COM numbers, the one-holder rule, the start-up scan, the main window's identification
// exchange and the port set-up window.

#include "support/radiofixture.h"
#include "support/testsupport.h"

#include "link/identificationexchange.h"
#include "link/portscan.h"
#include "link/portsetupwindow.h"
#include "platform/messagebox.h"
#include "platform/portaccess.h"
#include "platform/portstate.h"
#include "platform/serialport.h"
#include "platform/timer.h"
#include "texts/language.h"
#include "shell/radiostatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QGroupBox>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool anyScannedDeviceExists()
{
    for (int n = 1; n <= PortNames::LastScannedPort; ++n) {
        if (QFileInfo::exists(PortNames::tableDevice(n)))
            return true;
    }
    return false;
}

// Values in every panel, so that clearing them shows.
void fillPanels()
{
    RadioIdentity id;
    id.modelName = QStringLiteral("OLDOLD");
    id.number = QStringLiteral("0123456789ABCDEF");
    id.firmware = QStringLiteral("000000");
    RadioStatus::instance().showIdentity(id);
}

const QString MainPortMessage = QStringLiteral("Operate Prompt|Communication Port Open Error ！");
} // namespace

class TestPort : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void comNumbersResolve();
    void linkFolderFollowsXdgDataHome_data();
    void linkFolderFollowsXdgDataHome();
    void aDeviceIsHeldOnceUnderAnyName();
    void scanIsSilentAndLeavesEight();
    void scanFindsTheFirstPortThatOpens();

    void identificationFaultAfterFourAttempts_data();
    void identificationFaultAfterFourAttempts();
    void identificationPortFailureIsReportedOnce();
    void identificationOnAHeldPortStartsNothing();

    void setupWindowLoads();
    void setupFailureKeepsTheWindowOpen();
    void setupSuccessClearsPanelsAndIdentifiesAgain();
    void setupCancelChangesNothing();

    void permissionCheckOfADevice_data();
    void permissionCheckOfADevice();
    void deniedPortHintNamesTheGroup_data();
    void deniedPortHintNamesTheGroup();
    void deniedPortKeepsItsMessage();
    void portStates_data();
    void portStates();

private:
    QTemporaryDir m_emptyFolder;
};

void TestPort::init()
{
    TestSupport::resetState();
    PortNames::setLinkFolder(m_emptyFolder.path());
    // This machine's own serial devices and the user's groups must not change the
    // tooltips the tests compare.
    PortAccess::setDeniedCheck([](const QString &) { return false; });
    RadioStatus::instance().clearValues();
    RadioStatus::instance().languageSwitched();
}

void TestPort::cleanup()
{
    PortAccess::resetDeniedCheck();
    MessageBox::stopRecording();
    PortNames::resetLinkFolder();
    Language::setChinese(false);
    Timer::setScale(1.0);
}

void TestPort::comNumbersResolve()
{
    const QStringList table{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3",
                            "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyACM2", "/dev/ttyACM3",
                            "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3"};
    for (int n = 1; n <= 12; ++n) {
        QCOMPARE(PortNames::tableDevice(n), table[n - 1]);
        QCOMPARE(PortNames::devicePath(n), table[n - 1]);
    }
    QVERIFY(PortNames::tableDevice(0).isEmpty());
    QVERIFY(PortNames::tableDevice(13).isEmpty());
    QCOMPARE(PortNames::linkPath(4), m_emptyFolder.path() + QStringLiteral("/com4"));

    // A link that leads somewhere wins over the table, resolved to its target.
    RadioOnCom com(6);
    QVERIFY(com.ok());
    QCOMPARE(PortNames::devicePath(6), QFileInfo(QString::fromStdString(com.radio().slavePath())).canonicalFilePath());
    // A stale link falls back to the table.
    QVERIFY(QFile::link(QStringLiteral("/nonexistent/orvane-device"), PortNames::linkPath(2)));
    QCOMPARE(PortNames::devicePath(2), QStringLiteral("/dev/ttyUSB1"));

    // The port number only takes 1..12.
    PortNames::setPortNumber(5);
    PortNames::setPortNumber(0);
    PortNames::setPortNumber(13);
    QCOMPARE(PortNames::portNumber(), 5);
}

void TestPort::linkFolderFollowsXdgDataHome_data()
{
    QTest::addColumn<QByteArray>("xdgDataHome"); // empty: unset
    QTest::addColumn<QString>("folder");
    const QString home = QDir::homePath() + QStringLiteral("/.local/share/orvane-cps/dosdevices");
    QTest::newRow("unset") << QByteArray() << home;
    QTest::newRow("absolute") << QByteArray("/srv/data") << QStringLiteral("/srv/data/orvane-cps/dosdevices");
    // Relative values are to be ignored, as the XDG rules say.
    QTest::newRow("relative") << QByteArray("data") << home;
}

void TestPort::linkFolderFollowsXdgDataHome()
{
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, folder);
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    if (xdgDataHome.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", xdgDataHome);
    PortNames::resetLinkFolder();
    const QString seen = PortNames::linkFolder();
    const QString link = PortNames::linkPath(3);
    if (wasSet)
        qputenv("XDG_DATA_HOME", saved);
    else
        qunsetenv("XDG_DATA_HOME");
    QCOMPARE(seen, folder);
    QCOMPARE(link, folder + QStringLiteral("/com3"));
}

void TestPort::aDeviceIsHeldOnceUnderAnyName()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    // COM3 is a second name of the same device, through a link to the link.
    QVERIFY(QFile::link(PortNames::linkPath(1), PortNames::linkPath(3)));

    SerialPort first;
    QVERIFY(first.open(1));
    QVERIFY(!first.portOpenFailed());
    QVERIFY(SerialPort::isHeld(first.device()));

    SerialPort second;
    QVERIFY(!second.open(3));
    QVERIFY(second.portOpenFailed());
    QVERIFY(!second.open(1));
    QVERIFY(!second.isOpen());
    // Opening an open port again is refused too.
    QVERIFY(!first.open(1));
    QVERIFY(first.portOpenFailed());
    QVERIFY(first.isOpen());

    first.close();
    QVERIFY(!SerialPort::isHeld(QFileInfo(QString::fromStdString(com.radio().slavePath())).canonicalFilePath()));
    QVERIFY(second.open(3));
    QVERIFY(!second.portOpenFailed());

    // Bytes go out and come back through whichever name was used.
    second.output(QByteArray::fromHex("55A5B545" "55454D02"));
    QTRY_VERIFY(second.bytesAvailable() >= 50);
    const QByteArray reply = second.read(50);
    QCOMPARE(reply.mid(13, 4), QByteArray("QDMX"));
    second.discardInput();
    QCOMPARE(second.bytesAvailable(), 0);
    second.close();
    QVERIFY(!second.isOpen());
}

void TestPort::scanIsSilentAndLeavesEight()
{
    if (anyScannedDeviceExists())
        QSKIP("this machine has a USB serial device; the scan would find it");
    PortNames::setPortNumber(2);
    QCOMPARE(scanStartupPort(), 8);
    QCOMPARE(PortNames::portNumber(), 8);
    QVERIFY(MessageBox::takeRecorded().isEmpty());
}

void TestPort::scanFindsTheFirstPortThatOpens()
{
    if (anyScannedDeviceExists())
        QSKIP("this machine has a USB serial device; the scan would find it first");
    RadioOnCom later(7);
    RadioOnCom earlier(5);
    QVERIFY(later.ok() && earlier.ok());
    PortNames::setPortNumber(1);
    QCOMPARE(scanStartupPort(), 5);
    QCOMPARE(PortNames::portNumber(), 5);
    // Closed again: the device is free.
    SerialPort port;
    QVERIFY(port.open(5));
    // Nothing goes over the line during the scan.
    QTest::qWait(50);
    QCOMPARE(earlier.radio().handshakes(), 0);
    QVERIFY(MessageBox::takeRecorded().isEmpty());
}

void TestPort::identificationFaultAfterFourAttempts_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("wrongModel"); // the radio answers, as another model
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("cause"); // the fault panel's tooltip, English then Chinese
    const QStringList silence{
        QStringLiteral("No answer: check that the radio is on and the cable is in the radio's programming socket."),
        QStringLiteral("无应答：请检查对讲机是否开机、写频线是否插好。")};
    const QStringList foreign{QStringLiteral("The radio answered, but not as this model does."),
                              QStringLiteral("对讲机有应答，但不是本型号的应答。")};
    QTest::newRow("English, silent") << false << false << QStringLiteral("Stat:") << QStringLiteral("Communication fault.")
                                     << silence;
    QTest::newRow("Chinese, silent") << true << false << QStringLiteral("状态:") << QStringLiteral("联机故障 ！") << silence;
    QTest::newRow("English, other model") << false << true << QStringLiteral("Stat:")
                                          << QStringLiteral("Communication fault.") << foreign;
    QTest::newRow("Chinese, other model") << true << true << QStringLiteral("状态:") << QStringLiteral("联机故障 ！")
                                          << foreign;
}

void TestPort::identificationFaultAfterFourAttempts()
{
    QFETCH(bool, chinese);
    QFETCH(bool, wrongModel);
    QFETCH(QString, label);
    QFETCH(QString, fault);
    QFETCH(QStringList, cause);
    Language::setChinese(chinese);
    RadioOnCom com(2);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.silent = !wrongModel;
    faults.wrongModelCode = wrongModel;
    com.radio().setFaults(faults);
    Timer::setScale(0.02);

    QWidget main;
    IdentificationExchange exchange(&main);
    QCOMPARE(exchange.engine().pacing().byteTickMs, 10);
    QCOMPARE(exchange.engine().pacing().retryPauseMs, 1500);
    QSignalSpy failed(&exchange.engine(), &ExchangeEngine::failed);
    exchange.start();
    QVERIFY(failed.wait(10000));
    QCOMPARE(com.radio().handshakes(), 4);
    const RadioStatus &status = RadioStatus::instance();
    QVERIFY(status.statLabelShown());
    QCOMPARE(RadioStatus::StatLabel.text(chinese), label);
    QCOMPARE(status.panelText(4), fault);
    QCOMPARE(status.panelToolTip(4), cause.at(chinese ? 1 : 0));
    QVERIFY(status.panelToolTip(2).isEmpty());
    QVERIFY(status.panelText(8).isEmpty());
    // No message box for a radio that does not answer.
    QVERIFY(MessageBox::takeRecorded().isEmpty());

    // A language switch gives panel 3 its label back; panel 4 keeps the fault, and its
    // cause follows the language.
    Language::setChinese(!chinese);
    RadioStatus::instance().languageSwitched();
    QVERIFY(!status.statLabelShown());
    QCOMPARE(status.panelText(4), fault);
    QCOMPARE(status.panelToolTip(4), cause.at(chinese ? 0 : 1));
    // A new port, and the cause goes with the fault.
    RadioStatus::instance().clearValues();
    QVERIFY(status.panelToolTip(4).isEmpty());
}

void TestPort::identificationPortFailureIsReportedOnce()
{
    if (QFileInfo::exists(PortNames::tableDevice(8)))
        QSKIP("COM8 exists on this machine");
    PortNames::setPortNumber(8);
    Timer::setScale(0.02);
    fillPanels();
    QWidget main;
    IdentificationExchange exchange(&main);
    exchange.start();
    // Long enough for all four attempts had there been retries.
    QTest::qWait(400);
    QCOMPARE(TestSupport::takeMessages(), QStringList{MainPortMessage});
    QVERIFY(!exchange.engine().isBusy());
    QVERIFY(!exchange.engine().isRetryPending());
    // The status bar is left as it was.
    QCOMPARE(RadioStatus::instance().panelText(2), QStringLiteral("OLDOLD"));
    QVERIFY(!RadioStatus::instance().statLabelShown());

    Language::setChinese(true);
    exchange.start();
    QCOMPARE(TestSupport::takeMessages(), QStringList{QStringLiteral("操作提示|通讯端口打开错误，请正确设置通讯端口 ！")});
}

void TestPort::identificationOnAHeldPortStartsNothing()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    SerialPort holder;
    QVERIFY(holder.open());
    QWidget main;
    IdentificationExchange exchange(&main);
    exchange.start();
    QCOMPARE(TestSupport::takeMessages(), QStringList{MainPortMessage});
    QTest::qWait(150);
    QCOMPARE(com.radio().handshakes(), 0);
    QVERIFY(!exchange.engine().isBusy());

    holder.close();
    QSignalSpy identified(&exchange, &IdentificationExchange::identified);
    exchange.start();
    QVERIFY(identified.wait(5000));
    QCOMPARE(RadioStatus::instance().panelText(10), QStringLiteral("400--480 MHZ"));
}

void TestPort::setupWindowLoads()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    PortNames::setPortNumber(11);
    QWidget main;
    IdentificationExchange exchange(&main);
    PortSetupWindow window(&exchange);
    QCOMPARE(window.objectName(), QStringLiteral("Form_setup"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Communication Port Setup"));
    QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Port Setup"));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command_ok"))->text(), QStringLiteral("Confirm"));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("Cancel"));
    for (int n = 1; n <= 12; ++n) {
        QRadioButton *option = window.findChild<QRadioButton *>(QStringLiteral("Option%1").arg(n));
        QVERIFY(option);
        QCOMPARE(option->text(), QStringLiteral("COM%1").arg(n));
        QCOMPARE(option->isChecked(), n == 11);
    }
    // Each option says first which device it is (portStates has the rest).
    const auto device = [&window](int n) { return window.option(n)->toolTip().section(QLatin1Char('\n'), 0, 0); };
    QCOMPARE(device(1), PortNames::devicePath(1));
    QVERIFY(device(1).startsWith(QStringLiteral("/dev/pts/")));
    QCOMPARE(device(9), QStringLiteral("/dev/ttyS0"));

    Language::setChinese(true);
    PortSetupWindow chinese(&exchange);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("通讯端口设置"));
    QCOMPARE(chinese.findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("端口设置"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command_ok"))->text(), QStringLiteral("确 定"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("取 消"));

    // Inner area 1000 x 800: 526 x 400, centred, 500 twips above the centre position.
    QCOMPARE(PortSetupWindow::placement(QSize(1000, 800)), QRect(237, 167, 526, 400));
}

void TestPort::setupFailureKeepsTheWindowOpen()
{
    // COM7 leads to something that is no serial port at all.
    QFile notAPort(m_emptyFolder.path() + QStringLiteral("/plain-file"));
    QVERIFY(notAPort.open(QIODevice::WriteOnly));
    notAPort.close();
    QVERIFY(QFile::link(notAPort.fileName(), PortNames::linkPath(7)));
    PortNames::setPortNumber(3);
    fillPanels();

    QWidget main;
    IdentificationExchange exchange(&main);
    QMdiArea area;
    auto *window = new PortSetupWindow(&exchange);
    QMdiSubWindow *frame = area.addSubWindow(window);
    area.show();
    frame->show();
    QVERIFY(window->option(3)->isChecked());
    window->option(7)->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command_ok")), Qt::LeftButton);

    QCOMPARE(TestSupport::takeMessages(), QStringList{MainPortMessage});
    QVERIFY(frame->isVisible());
    QCOMPARE(PortNames::portNumber(), 7);
    for (int panel : {2, 4, 6, 8, 10})
        QVERIFY(RadioStatus::instance().panelText(panel).isEmpty());
    QVERIFY(!exchange.engine().port().isOpen());
    QVERIFY(!exchange.engine().isBusy());
}

void TestPort::setupSuccessClearsPanelsAndIdentifiesAgain()
{
    RadioOnCom com(2);
    QVERIFY(com.ok());
    vradio::Identity identity;
    identity.bandALower = 144;
    identity.bandAUpper = 148;
    com.radio().setIdentity(identity);
    PortNames::setPortNumber(9);
    fillPanels();

    QWidget main;
    IdentificationExchange exchange(&main);
    QMdiArea area;
    auto *window = new PortSetupWindow(&exchange);
    QPointer<QMdiSubWindow> frame = area.addSubWindow(window);
    area.show();
    frame->show();
    window->option(2)->setChecked(true);
    QSignalSpy identified(&exchange, &IdentificationExchange::identified);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command_ok")), Qt::LeftButton);

    QVERIFY(MessageBox::takeRecorded().isEmpty());
    QCOMPARE(PortNames::portNumber(), 2);
    // Empty until the radio answers.
    for (int panel : {2, 4, 6, 8, 10})
        QVERIFY(RadioStatus::instance().panelText(panel).isEmpty());
    QVERIFY(exchange.engine().isIdentifying());
    QCOMPARE(exchange.engine().retriesLeft(), 3);
    QTRY_VERIFY(!frame || !frame->isVisible());

    QVERIFY(identified.wait(5000));
    QCOMPARE(com.radio().handshakes(), 1);
    QCOMPARE(RadioStatus::instance().panelText(8), QStringLiteral("144--148 MHZ"));
    QCOMPARE(RadioStatus::instance().panelText(2), QStringLiteral("OR-78V"));
    QCOMPARE(BandLimits::current(), (BandLimits{144, 148, 400, 480}));
    QVERIFY(!exchange.engine().port().isOpen());
}

void TestPort::setupCancelChangesNothing()
{
    PortNames::setPortNumber(4);
    fillPanels();
    QWidget main;
    IdentificationExchange exchange(&main);
    QMdiArea area;
    auto *window = new PortSetupWindow(&exchange);
    QPointer<QMdiSubWindow> frame = area.addSubWindow(window);
    area.show();
    frame->show();
    window->option(10)->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(!frame || !frame->isVisible());
    QCOMPARE(PortNames::portNumber(), 4);
    QCOMPARE(RadioStatus::instance().panelText(2), QStringLiteral("OLDOLD"));
    QVERIFY(MessageBox::takeRecorded().isEmpty());
}

void TestPort::permissionCheckOfADevice_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("denied");
    // -1: no such device, which is a missing port, not a permission problem.
    QTest::newRow("missing") << -1 << false;
    QTest::newRow("read-write") << 0600 << false;
    // Root's permission checks pass whatever the mode, so only a user is shut out.
    QTest::newRow("mode 000") << 0 << (::geteuid() != 0);
}

void TestPort::permissionCheckOfADevice()
{
    QFETCH(int, mode);
    QFETCH(bool, denied);
    PortAccess::resetDeniedCheck();
    const QString device = m_emptyFolder.path() + QStringLiteral("/device");
    QFile::remove(device);
    if (mode >= 0) {
        QFile node(device);
        QVERIFY(node.open(QIODevice::WriteOnly));
        node.close();
        QVERIFY(::chmod(QFile::encodeName(device).constData(), mode_t(mode)) == 0);
    }
    QCOMPARE(PortAccess::isDenied(device), denied);
    QCOMPARE(PortAccess::owningGroup(device).isEmpty(), mode < 0);
}

void TestPort::deniedPortHintNamesTheGroup_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("hint");
    QTest::newRow("English") << false << true
        << QStringLiteral("You are not in the group \"dialout\" that owns this device, so it cannot be opened. "
                          "Add your user to that group, then log out and in again.");
    QTest::newRow("Chinese") << true << true
        << QStringLiteral("当前用户不在拥有此设备的用户组“dialout”中，无法打开此端口。请把用户加入该组，然后注销并重新登录。");
    // A group id without a name in the group database is shown as its number.
    QTest::newRow("unnamed group") << false << false
        << QStringLiteral("You are not in the group \"54321\" that owns this device, so it cannot be opened. "
                          "Add your user to that group, then log out and in again.");
}

void TestPort::deniedPortHintNamesTheGroup()
{
    QFETCH(bool, chinese);
    QFETCH(bool, named);
    QFETCH(QString, hint);
    gid_t gid = 54321;
    if (named) {
        const group *dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("this machine has no dialout group");
        gid = dialout->gr_gid;
    } else if (::getgrgid(gid)) {
        QSKIP("group 54321 has a name on this machine");
    }
    // A device node of that group behind COM3, which the permission check refuses.
    QTemporaryDir folder;
    PortNames::setLinkFolder(folder.path());
    QFile node(folder.filePath(QStringLiteral("ttyUSB-of-group")));
    QVERIFY(node.open(QIODevice::WriteOnly));
    node.close();
    if (::chown(QFile::encodeName(node.fileName()).constData(), uid_t(-1), gid) != 0)
        QSKIP("only root can give a file to another group");
    QVERIFY(QFile::link(node.fileName(), PortNames::linkPath(3)));
    const QString device = PortNames::devicePath(3);
    PortAccess::setDeniedCheck([device](const QString &d) { return d == device; });

    Language::setChinese(chinese);
    QWidget main;
    IdentificationExchange exchange(&main);
    PortSetupWindow window(&exchange);
    QCOMPARE(window.option(3)->toolTip(), device + QLatin1Char('\n') + hint);
    // Ports this user may open name their device without the hint.
    QCOMPARE(window.option(9)->toolTip().section(QLatin1Char('\n'), 0, 0), QStringLiteral("/dev/ttyS0"));
    QVERIFY(!window.option(9)->toolTip().contains(hint));
}

void TestPort::deniedPortKeepsItsMessage()
{
    // The radio would answer: only the permission check stands in the way.
    RadioOnCom com(1);
    QVERIFY(com.ok());
    const QString device = PortNames::devicePath(1);
    PortAccess::setDeniedCheck([device](const QString &d) { return d == device; });

    SerialPort port;
    QVERIFY(!port.open(1));
    QVERIFY(port.portOpenFailed());
    QVERIFY(!SerialPort::isHeld(device));

    QWidget main;
    IdentificationExchange exchange(&main);
    exchange.start();
    QCOMPARE(TestSupport::takeMessages(), QStringList{MainPortMessage});
    QTest::qWait(100);
    QCOMPARE(com.radio().handshakes(), 0);
    QVERIFY(!exchange.engine().isBusy());

    PortAccess::resetDeniedCheck();
    QVERIFY(port.open(1));
}

void TestPort::portStates_data()
{
    // How COM4 is set up; its state as the port set-up window sees it (never opened) and
    // after the command line's trial open; the window's tooltip, with %DEV for the
    // device, %GROUP for its group and %PID for the other program.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("seen");
    QTest::addColumn<int>("tried");
    QTest::addColumn<QString>("toolTip");
    using S = PortState::State;
    QTest::newRow("nothing") << "nothing" << false << int(S::Absent) << int(S::Absent) << "/dev/ttyUSB3\nabsent";
    QTest::newRow("stale link") << "stale link" << false << int(S::Absent) << int(S::Absent)
                                << "/dev/ttyUSB3\nabsent (its link leads to /nonexistent/orvane-device, which is gone)";
    QTest::newRow("free") << "radio" << false << int(S::Free) << int(S::Opens) << "%DEV\npseudo-terminal\nnot in use";
    QTest::newRow("free, Chinese") << "radio" << true << int(S::Free) << int(S::Opens) << "%DEV\n伪终端\n未被占用";
    QTest::newRow("no permission")
        << "denied" << false << int(S::NoPermission) << int(S::NoPermission)
        << "%DEV\npseudo-terminal\nYou are not in the group \"%GROUP\" that owns this device, so it cannot be opened. "
           "Add your user to that group, then log out and in again.";
    QTest::newRow("held by another program") << "other program" << false << int(S::Held) << int(S::Held)
                                             << "%DEV\npseudo-terminal\nheld by another program: pid %PID (sleep)";
    QTest::newRow("held by another program, Chinese") << "other program" << true << int(S::Held) << int(S::Held)
                                                      << "%DEV\n伪终端\n被其他程序占用：进程 %PID（sleep）";
    QTest::newRow("held here") << "this program" << false << int(S::Held) << int(S::Held)
                               << "%DEV\npseudo-terminal\nin use by this program (a transfer with the radio is running)";
}

void TestPort::portStates()
{
    QFETCH(QString, setup);
    QFETCH(bool, chinese);
    QFETCH(int, seen);
    QFETCH(int, tried);
    QFETCH(QString, toolTip);
    if (QFileInfo::exists(PortNames::tableDevice(4)))
        QSKIP("COM4's table device exists on this machine");
    std::unique_ptr<RadioOnCom> com;
    if (setup != QLatin1String("nothing") && setup != QLatin1String("stale link")) {
        com = std::make_unique<RadioOnCom>(4);
        QVERIFY(com->ok());
    } else if (setup == QLatin1String("stale link")) {
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/orvane-device"), PortNames::linkPath(4)));
    }
    const QString device = PortNames::devicePath(4);
    QVERIFY(PortState::standsForSomething(4) == (setup != QLatin1String("nothing")));

    if (setup == QLatin1String("denied"))
        PortAccess::setDeniedCheck([device](const QString &d) { return d == device; });
    // One process from lock to kill, as another program holding the device would be.
    QProcess other;
    if (setup == QLatin1String("other program")) {
        other.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec 9<>\"$1\" && flock -x 9 && echo held && exec sleep 30"),
                                           QStringLiteral("sh"), device});
        QVERIFY(other.waitForReadyRead(5000));
    }
    SerialPort ours;
    if (setup == QLatin1String("this program"))
        QVERIFY(ours.open(4));

    PortState::Port port = PortState::inspect(4);
    QCOMPARE(port.number, 4);
    QCOMPARE(int(port.state), seen);
    Language::setChinese(chinese);
    QWidget main;
    IdentificationExchange exchange(&main);
    PortSetupWindow window(&exchange);
    toolTip.replace(QLatin1String("%DEV"), device)
        .replace(QLatin1String("%GROUP"), PortAccess::owningGroup(device))
        .replace(QLatin1String("%PID"), QString::number(other.processId()));
    QCOMPARE(window.option(4)->toolTip(), toolTip);

    PortState::tryOpen(port);
    QCOMPARE(int(port.state), tried);
    // The trial leaves the port as it found it.
    if (com)
        QCOMPARE(SerialPort::isHeld(device), setup == QLatin1String("this program"));
    other.kill();
    other.waitForFinished(5000);
}

QTEST_MAIN(TestPort)
#include "tst_port.moc"
