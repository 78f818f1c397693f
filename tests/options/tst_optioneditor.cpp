#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "support/documentaccess.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"
#include "options/optioneditor.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "texts/language.h"
#include "support/radiofixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray image(int address, int count)
{
    QByteArray out;
    for (int a = address; a < address + count; ++a)
        out.append(char(TestSupport::image().at(a)));
    return out;
}

void fillRandom(quint32 seed)
{
    QRandomGenerator random(seed);
    MemoryImage &im = TestSupport::image();
    for (int a = 0; a < MemoryImage::Size; ++a)
        im.setAt(a, uint8_t(random.bounded(256)));
}

} // namespace

class TestOptionEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingAndShowingStoreNothing_data();
    void openingAndShowingStoreNothing();
    void frequencyBox();
    void bandChoiceTakesTheRadioLimits();
    void powerOnMessageIsCentred();
    void aniChecksKeepTheFocus();
    void listsAreChosenNotTyped();
    void editsChangeOnlyTheirOwnBytes_data();
    void editsChangeOnlyTheirOwnBytes();
    void defaultButton();
    void readAndWriteAgainstTheRadio();
    void retriesThenFailureLeaveTheImage_data();
    void retriesThenFailureLeaveTheImage();
    void portThatDoesNotOpen();
    void activationShowsChangesMadeElsewhere();
    void windowKeepsItsLanguage();

private:
    void open();
    QComboBox *list(const char *name) const { return m_editor->findChild<QComboBox *>(QString::fromLatin1(name)); }
    QLineEdit *text(const char *name) const { return m_editor->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const { return m_editor->findChild<QPushButton *>(QString::fromLatin1(name)); }
    void choose(QComboBox *box, int position);
    void type(QLineEdit *box, const QString &keys);
    void leave();

    std::unique_ptr<OptionEditor> m_editor;
};

void TestOptionEditor::init()
{
    MessageBox::startRecording();
    Language::setChinese(false);
    BandLimits::current() = BandLimits::startup();
    initialiseMemoryImage(TestSupport::image());
    open();
}

void TestOptionEditor::cleanup()
{
    if (m_editor)
        m_editor->engine().stop();
    m_editor.reset();
    Timer::setScale(1.0);
    MessageBox::stopRecording();
}

void TestOptionEditor::open()
{
    m_editor.reset();
    m_editor = std::make_unique<OptionEditor>();
    m_editor->resize(1100, 800);
    m_editor->show();
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
}

void TestOptionEditor::choose(QComboBox *box, int position)
{
    QVERIFY(box);
    // Through the drop-down, as a user picks: this also picks the entry already shown.
    box->showPopup();
    QAbstractItemView *view = box->view();
    view->setCurrentIndex(box->model()->index(position, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
    // The closed drop-down does not hand the activation back on every platform.
    if (QWidget *window = box->window(); !window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
}

void TestOptionEditor::type(QLineEdit *box, const QString &keys)
{
    QVERIFY(box);
    box->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, keys);
}

void TestOptionEditor::leave()
{
    button("Command_close")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void TestOptionEditor::openingAndShowingStoreNothing_data()
{
    QTest::addColumn<int>("background");
    QTest::newRow("erased") << 0xFF;
    QTest::newRow("zero") << 0x00;
    QTest::newRow("random 1") << -1;
    QTest::newRow("random 2") << -2;
}

void TestOptionEditor::openingAndShowingStoreNothing()
{
    QFETCH(int, background);
    if (background >= 0)
        TestSupport::image().fill(0, MemoryImage::Rows - 1, uint8_t(background));
    else
        fillRandom(quint32(-background));
    const QByteArray before = image(0, MemoryImage::Size);
    open();
    m_editor->redisplay();
    // Passing through every box without typing stores nothing either.
    for (QLineEdit *box : m_editor->findChildren<QLineEdit *>()) {
        if (box->isEnabled() && box->focusPolicy() != Qt::NoFocus) {
            box->setFocus(Qt::TabFocusReason);
            leave();
        }
    }
    QVERIFY(image(0, MemoryImage::Size) == before);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
    if (background == 0xFF) {
        QCOMPARE(list("Combo_tot")->currentText(), QStringLiteral("600"));
        QCOMPARE(list("Combo_r_ctdcs_a")->currentText(), QStringLiteral("OFF"));
        QCOMPARE(list("Combo_Offset_A")->currentText(), QStringLiteral("99.950MHZ"));
        QCOMPARE(list("Combo_Band_A")->currentText(), QStringLiteral("UHF"));
        QCOMPARE(text("Text_Freq_a")->text(), QStringLiteral("."));
        QCOMPARE(text("Text_PON_MSG_U")->text(), QString());
        QCOMPARE(text("Text_ANI")->text(), QString());
    }
}

void TestOptionEditor::frequencyBox()
{
    QLineEdit *freq = text("Text_Freq_a");
    QCOMPARE(freq->text(), QStringLiteral("136.02500"));
    type(freq, QStringLiteral("145"));
    leave();
    QCOMPARE(image(0x0F00, 9), bytes({1, 4, 5, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(freq->text(), QStringLiteral("145.00000"));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());

    // No leading ".", no letters, nothing beyond nine characters.
    type(freq, QStringLiteral(".x1a4.5123456"));
    QCOMPARE(freq->text(), QStringLiteral("14.512345"));
    leave();
    auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("操作提示"));
    QCOMPARE(records.at(0).text, QStringLiteral("当前工作频率超出范围 ！"));
    QCOMPARE(freq->text(), QStringLiteral("130.02500"));
    QCOMPARE(image(0x0F00, 8), bytes({1, 3, 0, 0, 2, 5, 0, 0}));

    type(freq, QStringLiteral("200"));
    leave();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"当前工作频率超出范围 ！"}));
    QCOMPARE(freq->text(), QStringLiteral("178.62500"));
    QCOMPARE(image(0x0F00, 8), bytes({1, 7, 8, 6, 2, 5, 0, 0}));

    // More than nine characters come by pasting (or by typing points): the box empties,
    // keeps the focus, and leaving it then takes the band's first frequency.
    type(freq, QStringLiteral("1"));
    freq->insert(QStringLiteral("45.1234567"));
    records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Over the range of  frequency ."));
    QCOMPARE(freq->text(), QString());
    QCOMPARE(image(0x0F00, 8), bytes({1, 7, 8, 6, 2, 5, 0, 0}));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), freq);
    leave();
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"当前工作频率超出范围 ！"}));
    QCOMPARE(freq->text(), QStringLiteral("130.02500"));

    // Band B normalises onto the 250 Hz grid.
    type(text("Text_Freq_b"), QStringLiteral("430.00624"));
    leave();
    QCOMPARE(text("Text_Freq_b")->text(), QStringLiteral("430.00600"));
    QCOMPARE(image(0x0F20, 8), bytes({4, 3, 0, 0, 0, 6, 0, 0}));
}

void TestOptionEditor::bandChoiceTakesTheRadioLimits()
{
    BandLimits::current() = BandLimits{136, 174, 400, 480};
    m_editor->redisplay();
    QCOMPARE(text("Text_Range_A")->text(), QStringLiteral("136 - 174.9950"));
    QCOMPARE(text("Text_Range_B")->text(), QStringLiteral("400 - 480.9950"));
    choose(list("Combo_Band_A"), 1);
    QCOMPARE(text("Text_Freq_a")->text(), QStringLiteral("400.02500"));
    QCOMPARE(text("Text_Range_A")->text(), QStringLiteral("400 - 480.9950"));
    QCOMPARE(image(0x0F00, 8), bytes({4, 0, 0, 0, 2, 5, 0, 0}));
    QCOMPARE(list("Combo_Band_A")->currentText(), QStringLiteral("UHF"));
    // The check now judges by the UHF limits.
    type(text("Text_Freq_a"), QStringLiteral("145"));
    leave();
    QCOMPARE(text("Text_Freq_a")->text(), QStringLiteral("400.02500"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"当前工作频率超出范围 ！"}));
    // A frequency inside the chosen band stays.
    type(text("Text_Freq_a"), QStringLiteral("450.5"));
    leave();
    choose(list("Combo_Band_A"), 1);
    QCOMPARE(text("Text_Freq_a")->text(), QStringLiteral("450.50000"));
    choose(list("Combo_Band_A"), 0);
    QCOMPARE(text("Text_Freq_a")->text(), QStringLiteral("136.02500"));
    QCOMPARE(image(0x0F00, 8), bytes({1, 3, 6, 0, 2, 5, 0, 0}));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestOptionEditor::powerOnMessageIsCentred()
{
    QLineEdit *upper = text("Text_PON_MSG_U");
    type(upper, QStringLiteral("ab"));
    QCOMPARE(image(0x0EC0, 6), bytes({0x20, 0x20, 0x41, 0x42, 0x20, 0x20}));
    leave();
    QCOMPARE(upper->text(), QStringLiteral("AB"));
    type(text("Text_PON_MSG_D"), QStringLiteral("ab cdefg"));
    QCOMPARE(text("Text_PON_MSG_D")->text(), QStringLiteral("ab cde"));
    leave();
    QCOMPARE(image(0x0EC6, 6), QByteArray("AB CDE"));
    QCOMPARE(text("Text_PON_MSG_D")->text(), QStringLiteral("AB CDE"));
    QCOMPARE(image(0x0EC0, 6), bytes({0x20, 0x20, 0x41, 0x42, 0x20, 0x20}));
}

void TestOptionEditor::aniChecksKeepTheFocus()
{
    QLineEdit *ani = text("Text_ANI");
    const struct
    {
        const char *typed;
        bool chinese;
        const char *message; // null: accepted
    } cases[] = {
        {"12", false, "ANI ID code length is 3 to 5 digit."},
        {"123456", false, "ANI ID code length is 3 to 5 digit."},
        {"12", true, "身份码长度为 3 - 5 位 ！"},
        {"abc", false, " Available ANI ID code from 00000 to 99999. "},
        {"*#1", true, " 身份码的有效数字为 00000 - 99999 "},
        {"00123", false, nullptr},
    };
    for (const auto &c : cases) {
        Language::setChinese(c.chinese);
        type(ani, QString::fromLatin1(c.typed));
        leave();
        const auto records = MessageBox::takeRecorded();
        if (!c.message) {
            QVERIFY2(records.isEmpty(), c.typed);
            QCOMPARE(QApplication::focusWidget(), button("Command_close"));
            continue;
        }
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.at(0).title, c.chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate Prompt"));
        QCOMPARE(records.at(0).text, QString::fromUtf8(c.message));
        QCOMPARE(QApplication::focusWidget(), ani);
    }
    Language::setChinese(false);
    const QByteArray stored = bytes({10, 10, 1, 2, 3}) + QByteArray(11, char(0xFF));
    QCOMPARE(image(0x0ED0, 16), stored);
    // A later list edit keeps it, in the image and in the box.
    choose(list("Combo_Tdr"), 0);
    choose(list("Combo_Band_B"), 0);
    QCOMPARE(image(0x0ED0, 16), stored);
    QCOMPARE(ani->text(), QStringLiteral("00123"));
    QCOMPARE(int(TestSupport::image().at(0x0E00)), 0);
    MessageBox::takeRecorded();
}

void TestOptionEditor::listsAreChosenNotTyped()
{
    QComboBox *tdr = list("Combo_Tdr");
    tdr->setFocus();
    QTest::keyClicks(tdr, QStringLiteral("OFF o"));
    QCOMPARE(tdr->currentText(), QStringLiteral("ON"));
    QCOMPARE(int(TestSupport::image().at(0x0E00)), 1);
    // The arrow keys still choose.
    QTest::keyClick(tdr, Qt::Key_Up);
    QCOMPARE(int(TestSupport::image().at(0x0E00)), 0);

    // A value beyond the list shows its last entry and stays until that entry is chosen.
    TestSupport::image().setAt(0x0E05, 0xC8);
    m_editor->redisplay();
    QCOMPARE(list("Combo_tot")->currentText(), QStringLiteral("600"));
    QCOMPARE(int(TestSupport::image().at(0x0E05)), 0xC8);
    choose(list("Combo_tot"), 39);
    QCOMPARE(int(TestSupport::image().at(0x0E05)), 39);

    // A tone between the table's entries shows as its value, no entry chosen.
    TestSupport::image().setAt(0x0F12, 0xD2);
    TestSupport::image().setAt(0x0F13, 0x04);
    m_editor->redisplay();
    QCOMPARE(list("Combo_t_ctdcs_a")->currentIndex(), -1);
    QCOMPARE(list("Combo_t_ctdcs_a")->placeholderText(), QStringLiteral("123.4"));
    choose(list("Combo_t_ctdcs_a"), 9);
    QCOMPARE(image(0x0F12, 2), bytes({0x75, 0x03}));
    choose(list("Combo_r_ctdcs_a"), 51);
    QCOMPARE(image(0x0F10, 2), bytes({0x01, 0x00}));
    choose(list("Combo_Offset_A"), 1999);
    QCOMPARE(image(0x0F08, 6), bytes({0, 9, 9, 9, 5, 0}));
}

void TestOptionEditor::editsChangeOnlyTheirOwnBytes_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("typed"); // empty: a list
    const QVector<QPair<const char *, int>> options = {
        {"Combo_Tdr", 0x00}, {"Combo_Sql_le", 0x02}, {"Combo_tot", 0x05}, {"Combo_Toa", 0x06},
        {"Combo_Abr", 0x08}, {"Combo_Beep", 0x09}, {"Combo_Dtmfst", 0x0E}, {"Combo_Bcl", 0x0F},
        {"Combo_Sc_Add", 0x10}, {"Combo_Pri_Sc", 0x11}, {"Combo_Pri_Ch", 0x12}, {"Combo_Sc_rev", 0x13},
        {"Combo_Ptt_id", 0x16}, {"Combo_Ptt_lt", 0x17}, {"Combo_Emc_Tp", 0x19}, {"Combo_Emc_Ch", 0x1A},
        {"Combo_ring", 0x1B}, {"Combo_MDF_A", 0x1D}, {"Combo_MDF_B", 0x1E}, {"Combo_Autolk", 0x1F},
        {"Combo_PonMsg", 0x20}, {"Combo_wt_led", 0x21}, {"Combo_rx_led", 0x22}, {"Combo_tx_led", 0x23},
        {"Combo_ANI_L", 0x29}, {"Combo_REP_S", 0x2A}, {"Combo_REP_M", 0x2B},
    };
    for (const auto &o : options)
        QTest::newRow(o.first) << o.first << 0x0E00 + o.second << 1 << QString();
    QTest::newRow("Text_PON_MSG_U") << "Text_PON_MSG_U" << 0x0EC0 << 6 << "ab";
    QTest::newRow("Text_PON_MSG_D") << "Text_PON_MSG_D" << 0x0EC6 << 6 << "x 1";
    QTest::newRow("Text_ANI") << "Text_ANI" << 0x0ED0 << 16 << "12345";
    QTest::newRow("Text_PttId_Begin") << "Text_PttId_Begin" << 0x0EE0 << 16 << "*#0";
    QTest::newRow("Text_PttId_End") << "Text_PttId_End" << 0x0EF0 << 16 << "ABCD1234";
    const char *bandA[] = {"Combo_S_info_a", "Combo_Spmute_a", "Combo_Optsig_a", "Combo_Scr_a",
                           "Combo_wn_a", "Combo_txp_a", "Combo_sft_d_a", "Combo_step_a"};
    const char *bandB[] = {"Combo_S_info_b", "Combo_Spmute_b", "Combo_OptSig_b", "Combo_Scr_b",
                           "Combo_wn_b", "Combo_txp_b", "Combo_sft_d_b", "Combo_step_b"};
    for (int band = 0; band < 2; ++band) {
        const int base = band == 0 ? 0x0F00 : 0x0F20;
        const char *const *names = band == 0 ? bandA : bandB;
        for (int k = 0; k < 8; ++k)
            QTest::newRow(names[k]) << names[k] << base + 20 + k << 1 << QString();
        const char *freq = band == 0 ? "Text_Freq_a" : "Text_Freq_b";
        const char *bandList = band == 0 ? "Combo_Band_A" : "Combo_Band_B";
        const char *offset = band == 0 ? "Combo_Offset_A" : "Combo_offset_b";
        const char *rx = band == 0 ? "Combo_r_ctdcs_a" : "Combo_r_ctdcs_b";
        const char *tx = band == 0 ? "Combo_t_ctdcs_a" : "Combo_t_ctdcs_b";
        QTest::newRow(freq) << freq << base << 8 << "450.125";
        QTest::newRow(bandList) << bandList << base << 8 << QString();
        QTest::newRow(offset) << offset << base + 8 << 6 << QString();
        QTest::newRow(rx) << rx << base + 16 << 2 << QString();
        QTest::newRow(tx) << tx << base + 18 << 2 << QString();
    }
}

void TestOptionEditor::editsChangeOnlyTheirOwnBytes()
{
    QFETCH(QString, control);
    QFETCH(int, address);
    QFETCH(int, count);
    QFETCH(QString, typed);
    const QByteArray name = control.toLatin1();
    for (quint32 seed : {11u, 12u, 13u}) {
        fillRandom(seed);
        m_editor->redisplay();
        QVector<int> positions{-1};
        if (typed.isEmpty()) {
            const int n = list(name.constData())->count();
            positions = {0, n - 1, n / 2};
        }
        for (int position : positions) {
            const QByteArray before = image(0, MemoryImage::Size);
            if (position < 0) {
                type(text(name.constData()), typed);
                leave();
            } else {
                choose(list(name.constData()), position);
            }
            MessageBox::takeRecorded();
            const QByteArray after = image(0, MemoryImage::Size);
            for (int a = 0; a < MemoryImage::Size; ++a) {
                if (a >= address && a < address + count)
                    continue;
                QVERIFY2(after.at(a) == before.at(a),
                         qPrintable(QStringLiteral("seed %1: 0x%2 changed").arg(seed).arg(a, 4, 16)));
            }
            if (position >= 0 && count == 1)
                QCOMPARE(int(uint8_t(after.at(address))), position);
            if (position >= 0)
                QCOMPARE(list(name.constData())->currentIndex(), position);
        }
    }
}

void TestOptionEditor::defaultButton()
{
    fillRandom(5);
    m_editor->redisplay();
    MemoryImage expected = TestSupport::image();
    OptionArea::writeDefaults(expected);
    QTest::mouseClick(button("Command_def"), Qt::LeftButton);
    QVERIFY(TestSupport::image() == expected);
    QCOMPARE(text("Text_ANI")->text(), QStringLiteral("8D8D8"));
    QCOMPARE(text("Text_PON_MSG_D")->text(), QStringLiteral("TR7410"));
    QCOMPARE(text("Text_Freq_b")->text(), QStringLiteral("470.62500"));
    QCOMPARE(list("Combo_S_info_b")->currentText(), QStringLiteral("15"));
    QCOMPARE(m_editor->statusLine()->text(), QString());
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestOptionEditor::readAndWriteAgainstTheRadio()
{
    // Frames are counted: only the pauses are scaled.
    Timer::setScale(0.05, 1.0);
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    // Erased bytes and an erased band record travel too.
    radio.radio().setMemory(0x0F20, std::vector<uint8_t>(32, 0xFF));
    radio.radio().setMemory(0x0FC0, std::vector<uint8_t>(64, 0xFF));
    const QByteArray radioArea = radio.memory(0x0E00, 512);
    const QByteArray others = image(0, 0x0E00) + image(0x1000, MemoryImage::Size - 0x1000);

    QSignalSpy finished(&m_editor->engine(), &ExchangeEngine::finished);
    QTest::mouseClick(button("Command_read"), Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate Prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Complete reading the data from transceiver."));
    QCOMPARE(m_editor->statusLine()->text(), QStringLiteral("Read optional parameters in gear. "));
    QCOMPARE(radio.radio().readRequests(), 8);
    QCOMPARE(image(0x0E00, 512), radioArea);
    QCOMPARE(image(0, 0x0E00) + image(0x1000, MemoryImage::Size - 0x1000), others);
    QCOMPARE(text("Text_Freq_b")->text(), QStringLiteral("."));
    QCOMPARE(text("Text_Freq_a")->text(), BandRecord::frequencyText(BandRecord::view(TestSupport::image(), BandRecord::Band::A)));

    // One edit, then the write: the radio gets its own bytes back, and the edit.
    choose(list("Combo_Beep"), 0);
    radio.radio().setMemory(0x0E00, std::vector<uint8_t>(512, 0x00));
    const QByteArray around = radio.memory(0x0D00, 256) + radio.memory(0x1000, 256);
    radio.radio().resetCounters();
    QTest::mouseClick(button("Command_write"), Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate Prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Complete writing optional parameters to the transceiver."));
    QCOMPARE(m_editor->statusLine()->text(), QStringLiteral("Complete writing optional parameters "));
    QByteArray expected = radioArea;
    expected[0x09] = 0;
    QCOMPARE(radio.memory(0x0E00, 512), expected);
    std::vector<int> order;
    for (int n = 0; n < 32; ++n)
        order.push_back(0x0E00 + n * 16);
    QCOMPARE(radio.radio().writtenAddresses(), order);
    QCOMPARE(radio.memory(0x0D00, 256) + radio.memory(0x1000, 256), around);
}

void TestOptionEditor::retriesThenFailureLeaveTheImage_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("servedBlocks");
    QTest::newRow("read, silent") << true << -1;
    QTest::newRow("read, five blocks") << true << 5;
    QTest::newRow("write, silent") << false << -1;
}

void TestOptionEditor::retriesThenFailureLeaveTheImage()
{
    QFETCH(bool, read);
    QFETCH(int, servedBlocks);
    Timer::setScale(0.02);
    RadioOnCom radio(4);
    QVERIFY(radio.ok());
    radio.fillPattern();
    radio.radio().setFaults([servedBlocks] {
        vradio::Faults f;
        f.silent = servedBlocks < 0;
        f.silentAfterReadBlocks = servedBlocks;
        return f;
    }());
    const QByteArray before = image(0, MemoryImage::Size);
    QSignalSpy failed(&m_editor->engine(), &ExchangeEngine::failed);
    QTest::mouseClick(button(read ? "Command_read" : "Command_write"), Qt::LeftButton);
    QVERIFY(failed.wait(30000));
    // The first attempt and three retries.
    QCOMPARE(radio.radio().handshakes(), 4);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Fail connect with transceiver."));
    QCOMPARE(m_editor->statusLine()->text(), QStringLiteral("Communication fault."));
    QCOMPARE(m_editor->progressBar()->value(), 0);
    QVERIFY(!m_editor->isBusy());
    QVERIFY(image(0, MemoryImage::Size) == before);
}

void TestOptionEditor::portThatDoesNotOpen()
{
    QTemporaryDir links;
    QVERIFY(QFile::link(links.filePath(QStringLiteral("missing")), links.filePath(QStringLiteral("com7"))));
    PortNames::setLinkFolder(links.path());
    PortNames::setPortNumber(7);
    const QByteArray before = image(0, MemoryImage::Size);
    QTest::mouseClick(button("Command_write"), Qt::LeftButton);
    PortNames::resetLinkFolder();
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate Prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Communication Port Open Error ！"));
    QVERIFY(!m_editor->isBusy());
    QVERIFY(!m_editor->progressBar()->isVisible());
    QVERIFY(image(0, MemoryImage::Size) == before);
}

void TestOptionEditor::activationShowsChangesMadeElsewhere()
{
    m_editor.reset();
    QMdiArea mdi;
    mdi.resize(1300, 900);
    auto *editor = new OptionEditor;
    QMdiSubWindow *sub = mdi.addSubWindow(editor);
    QMdiSubWindow *other = mdi.addSubWindow(new QLabel(QStringLiteral("other")));
    mdi.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mdi));
    mdi.setActiveSubWindow(sub);
    mdi.setActiveSubWindow(other);
    // As a data file opened meanwhile would.
    AreaView area = OptionArea::view(TestSupport::image());
    OptionArea::setDigitRow(area, OptionArea::Offset::ani, QStringLiteral("4711"));
    TestSupport::image().setAt(0x0E00, 0);
    QCOMPARE(editor->findChild<QLineEdit *>(QStringLiteral("Text_ANI"))->text(), QStringLiteral("8D8D8"));
    mdi.setActiveSubWindow(sub);
    QCoreApplication::processEvents();
    QCOMPARE(editor->findChild<QLineEdit *>(QStringLiteral("Text_ANI"))->text(), QStringLiteral("4711"));
    QCOMPARE(editor->findChild<QComboBox *>(QStringLiteral("Combo_Tdr"))->currentText(), QStringLiteral("OFF"));
}

void TestOptionEditor::windowKeepsItsLanguage()
{
    Language::setChinese(true);
    OptionEditor chinese;
    Language::setChinese(false);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("可选参数编辑"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command_write"))->text(), QStringLiteral("写  入"));
    QCOMPARE(chinese.findChild<QGroupBox *>(QStringLiteral("Frame_A"))->title(), QStringLiteral("Ａ段频率模式"));
    QCOMPARE(chinese.findChild<QComboBox *>(QStringLiteral("Combo_Tdr"))->itemText(0), QStringLiteral("关闭"));
    QCOMPARE(chinese.findChild<QComboBox *>(QStringLiteral("Combo_r_ctdcs_b"))->itemText(0), QStringLiteral("关"));
    QCOMPARE(chinese.findChild<QComboBox *>(QStringLiteral("Combo_tot"))->accessibleName(),
             QStringLiteral("发射超时定时器（秒）"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("Optional Features"));
    QCOMPARE(list("Combo_Offset_A")->count(), 2000);
    QCOMPARE(list("Combo_Pri_Ch")->itemText(199), QStringLiteral("CH-199"));
    QCOMPARE(list("Combo_REP_S")->accessibleName(), QStringLiteral("Relay Signal"));
    // Every input control can be found by its caption.
    for (QWidget *w : m_editor->findChildren<QWidget *>()) {
        if (qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)) {
            if (w->parentWidget() && qobject_cast<QComboBox *>(w->parentWidget()))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
    }
}

QTEST_MAIN(TestOptionEditor)
#include "tst_optioneditor.moc"
