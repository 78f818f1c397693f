#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "platform/screen.h"
#include "shell/aboutbox.h"
#include "shell/mainwindow.h"
#include "texts/language.h"
#include "texts/languagetable.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestAboutBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void textsInBothLanguages_data();
    void textsInBothLanguages();
    void placedAboveTheMiddleAndNotModal();
    void noSystemInformationTool();

private:
    AboutBox *openFromMenu();

    QTemporaryDir m_noLinks;
    std::unique_ptr<MainWindow> m_window;
};

void TestAboutBox::init()
{
    PortNames::setLinkFolder(m_noLinks.path());
    MessageBox::startRecording();
    Screen::overrideSizeTwips(QSize(1280 * 15, 1024 * 15));
    Language::setChinese(false);
    m_window = std::make_unique<MainWindow>();
    m_window->startUp();
    MessageBox::takeRecorded();
}

void TestAboutBox::cleanup()
{
    m_window.reset();
    AboutBox::setProgramFinder(AboutBox::ProgramFinder());
    Screen::clearOverride();
    MessageBox::stopRecording();
    PortNames::resetLinkFolder();
}

AboutBox *TestAboutBox::openFromMenu()
{
    m_window->menuAction(QStringLiteral("about"))->trigger();
    return qobject_cast<AboutBox *>(m_window->child(QStringLiteral("frmAbout")));
}

void TestAboutBox::textsInBothLanguages_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("sysInfo");
    QTest::newRow("English") << false << "Confirm" << "System Information(&S)...";
    QTest::newRow("Chinese") << true << "确定" << "系统信息(&S)...";
}

void TestAboutBox::textsInBothLanguages()
{
    QFETCH(bool, chinese);
    QFETCH(QString, ok);
    QFETCH(QString, sysInfo);

    m_window->menuAction(chinese ? QStringLiteral("Language_chn") : QStringLiteral("Language_eng"))->trigger();
    AboutBox *box = openFromMenu();
    QVERIFY(box);
    const LanguageTable table = LanguageTable::build(chinese);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), table.aboutProduct);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), table.aboutRights);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblDescription"))->text(), table.aboutDesigner);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text(), table.aboutWarning);
    QVERIFY(!table.aboutWarning.isEmpty() && table.aboutWarning != LanguageTable::build(!chinese).aboutWarning);
    QCOMPARE(box->findChild<QPushButton *>(QStringLiteral("cmdOk"))->text(), ok);
    QCOMPARE(box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(), sysInfo);
}

void TestAboutBox::placedAboveTheMiddleAndNotModal()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    AboutBox *box = openFromMenu();
    QVERIFY(box);
    QVERIFY(!box->isModal());
    QMdiSubWindow *frame = m_window->childFrame(QStringLiteral("frmAbout"));
    const QSize client = m_window->mdiArea()->viewport()->size();
    QCOMPARE(frame->x(), (client.width() - frame->width()) / 2);
    QCOMPARE(frame->y(), (client.height() - frame->height()) / 2 - 500 / 15);

    // Other windows open beside it, and Confirm closes it.
    m_window->menuAction(QStringLiteral("chann_edit"))->trigger();
    QVERIFY(m_window->child(QStringLiteral("frm_chann")));
    QVERIFY(m_window->child(QStringLiteral("frmAbout")));
    QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QVERIFY(!m_window->child(QStringLiteral("frmAbout")));
}

void TestAboutBox::noSystemInformationTool()
{
    AboutBox::setProgramFinder([] { return QString(); });
    AboutBox *box = openFromMenu();
    QVERIFY(box);
    QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).text, QStringLiteral("此时系统信息不可用"));
    QCOMPARE(records.at(0).icon, MessageBox::Icon::Warning);
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
