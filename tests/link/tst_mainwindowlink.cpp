// The serial link inside MDImain: start-up scan and identification, status panels, the
// read and port set-up windows opened from the menus and the toolbar.

#include "support/radiofixture.h"
#include "support/testsupport.h"

#include "link/identificationexchange.h"
#include "link/readwindow.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "platform/timer.h"
#include "texts/language.h"
#include "shell/mainwindow.h"
#include "shell/radiostatus.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindowLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startUpFindsAndIdentifiesTheRadio();
    void faultTextsAndLanguageSwitch();
    void readAndSetupWindowsOpenOnce();
};

void TestMainWindowLink::init()
{
    TestSupport::resetState();
    Screen::overrideSizeTwips(QSize(1280 * 15, 1024 * 15));
    RadioStatus::instance().clearValues();
    RadioStatus::instance().languageSwitched();
}

void TestMainWindowLink::cleanup()
{
    MessageBox::stopRecording();
    Screen::clearOverride();
    Timer::setScale(1.0);
}

void TestMainWindowLink::startUpFindsAndIdentifiesTheRadio()
{
    for (int n = 1; n <= PortNames::LastScannedPort; ++n) {
        if (QFileInfo::exists(PortNames::tableDevice(n)))
            QSKIP("this machine has a USB serial device; the scan would find it first");
    }
    RadioOnCom com(4);
    QVERIFY(com.ok());
    PortNames::setPortNumber(1);
    MainWindow window;
    window.startUp();
    QCOMPARE(PortNames::portNumber(), 4);
    QSignalSpy identified(window.identification(), &IdentificationExchange::identified);
    QVERIFY(identified.wait(5000));
    QCOMPARE(window.statusPanel(2)->text(), QStringLiteral("OR-78V"));
    QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("ORV123--456789--ABCD"));
    QCOMPARE(window.statusPanel(6)->text(), QStringLiteral("V1.2A.0.3"));
    QCOMPARE(window.statusPanel(8)->text(), QStringLiteral("136--174 MHZ"));
    QCOMPARE(window.statusPanel(10)->text(), QStringLiteral("400--480 MHZ"));
    QCOMPARE(window.statusPanel(3)->text(), QStringLiteral("S I M:"));
    QCOMPARE(BandLimits::current(), (BandLimits{136, 174, 400, 480}));
    QVERIFY(MessageBox::takeRecorded().isEmpty());
    QCOMPARE(com.radio().handshakes(), 1);
}

void TestMainWindowLink::faultTextsAndLanguageSwitch()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    vradio::Faults faults;
    faults.silent = true;
    com.radio().setFaults(faults);
    Timer::setScale(0.02);
    MainWindow window;
    window.startUp();
    PortNames::setPortNumber(1);
    window.identification()->start();
    QSignalSpy failed(&window.identification()->engine(), &ExchangeEngine::failed);
    QVERIFY(failed.wait(10000));
    QCOMPARE(window.statusPanel(3)->text(), QStringLiteral("Stat:"));
    QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("Communication fault."));

    window.menuAction(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(window.statusPanel(3)->text(), QStringLiteral("序列号:"));
    QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("Communication fault."));
}

void TestMainWindowLink::readAndSetupWindowsOpenOnce()
{
    RadioOnCom com(1);
    QVERIFY(com.ok());
    MainWindow window;
    window.resize(1000, 800);
    window.show();

    window.menuAction(QStringLiteral("Prog_read"))->trigger();
    QMdiSubWindow *frame = window.childFrame(QStringLiteral("Form_Comm_Read"));
    QVERIFY(frame);
    QCOMPARE(frame->geometry(), ReadWindow::placement(window.size()));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Read Data From Radio"));
    // The toolbar brings the open one up; there is still one.
    window.toolbarAction(QStringLiteral("read"))->trigger();
    QCOMPARE(window.childFrame(QStringLiteral("Form_Comm_Read")), frame);

    window.menuAction(QStringLiteral("proc_setup"))->trigger();
    QVERIFY(window.child(QStringLiteral("Form_setup")));
    window.menuAction(QStringLiteral("proc_setup"))->trigger();
    int setups = 0;
    for (QMdiSubWindow *sub : window.mdiArea()->subWindowList())
        setups += sub->widget()->objectName() == QStringLiteral("Form_setup");
    QCOMPARE(setups, 1);
}

QTEST_MAIN(TestMainWindowLink)
#include "tst_mainwindowlink.moc"
