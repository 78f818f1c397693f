#include "alignment/alignmenttable.h"
#include "alignment/alignmentwindow.h"
#include "files/filewindow.h"
#include "link/exchangeengine.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "shell/radiostatus.h"
#include "texts/language.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace Alignment;

namespace {

uint8_t at(int line, int byte)
{
    return uint8_t(TestSupport::alignment().at(index(line, byte)));
}

// Every value beyond what the boxes and lists accept, so a decode that "repairs" shows.
QByteArray outOfRangeBlock()
{
    QByteArray b(Bytes, 0);
    for (int i = 0; i < Bytes; ++i)
        b[i] = char(200 + i % 50);
    return b;
}

} // namespace

class TestAlignment : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tabsCaptionsAndLabels();
    void numberBoxes_data();
    void numberBoxes();
    void rangeBoxes_data();
    void rangeBoxes();
    void listsAndDefaults();
    void foreignValuesShownAsTheyAre();
    void adjustFilesThroughTheFileWindows();
    void readAndWriteAgainstTheRadio_data();
    void readAndWriteAgainstTheRadio();
    void exhaustedRetriesReachTheStatusBar();

private:
    void type(QLineEdit *edit, const QString &text, bool leave = false);
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(QLatin1String(name)); }
    void runFileWindow(FileWindow::Kind kind, const QString &folder, const QString &name);

    std::unique_ptr<AlignmentWindow> m_window;
};

void TestAlignment::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    (Table::prepareDefaults(), TestSupport::alignment() = Table::defaults());
    m_window = std::make_unique<AlignmentWindow>();
    m_window->resize(1000, 640);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAlignment::cleanup()
{
    m_window.reset();
    TestSupport::endState();
}

void TestAlignment::type(QLineEdit *edit, const QString &text, bool leave)
{
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    if (leave)
        QTest::keyClick(edit, Qt::Key_Return);
}

void TestAlignment::tabsCaptionsAndLabels()
{
    QTabBar *tabs = m_window->tabs();
    const struct
    {
        const char *key;
        const char *caption;
        const char *frame;
    } expected[] = {
        {"Adj_Txp_High", "发射功率调整（高功率）", "Frame_Frame"}, {"Adj_Txp_Low", "发射功率调整（低功率）", "Frame_Frame"},
        {"Adj_Sql_Leve", "静噪等级调整", "Frame_Sql"},          {"Adj_Dev_Leve", "调制度、输出音量调整", "Frame_Dev"},
        {"Adj_Other", "频率范围", "Frame_Other"},
    };
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("发射功率调整（高功率）"));
    for (int t = 4; t >= 0; --t) {
        tabs->setCurrentIndex(t);
        QCOMPARE(tabs->tabData(t).toString(), QString::fromLatin1(expected[t].key));
        QCOMPARE(m_window->windowTitle(), QString::fromUtf8(expected[t].caption));
        for (QGroupBox *g : m_window->findChildren<QGroupBox *>())
            QCOMPARE(g->isVisible(), g->objectName() == QLatin1String(expected[t].frame));
        if (t <= 1)
            QCOMPARE(m_window->findChild<QGroupBox *>(QStringLiteral("Frame_Frame"))->title(), QString::fromUtf8(expected[t].caption));
    }
    // Chinese captions in both languages; points beyond the VHF bound stand out.
    QCOMPARE(button("Command_read")->text(), QStringLiteral("读 取"));
    QCOMPARE(m_window->box("Text1", 12)->property("beyondBand").toBool(), false);
    QCOMPARE(m_window->box("Text1", 13)->property("beyondBand").toBool(), true);
    QCOMPARE(m_window->box("Text1", 13)->accessibleName(), QStringLiteral("VHF 182MHZ"));
    QCOMPARE(m_window->box("Text2", 15)->property("beyondBand").toBool(), false);
}

void TestAlignment::numberBoxes_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");

    const QString r15 = QStringLiteral(" 输入数字范围为 0 - 15 ！");
    const QString r255 = QStringLiteral(" 输入数字范围为 0 - 255 ！");
    const QString r100 = QStringLiteral(" 输入数字范围为 0 - 100 ！");
    const QString r10 = QStringLiteral(" 输入数字范围为 0 - 10 ！");
    QTest::newRow("VHF high 16") << 0 << "Text1" << 0 << "16" << 0 << 12 << r15;
    QTest::newRow("VHF high letter") << 0 << "Text1" << 1 << "x" << 0 << 13 << r255;
    QTest::newRow("VHF high 9") << 0 << "Text1" << 4 << "9" << 0 << 9 << QString();
    QTest::newRow("UHF high digit letter") << 0 << "Text2" << 3 << "1a" << 1 << 13 << r15;
    QTest::newRow("VHF low 15") << 1 << "Text1" << 8 << "15" << 2 << 15 << QString();
    QTest::newRow("UHF low 20") << 1 << "Text2" << 0 << "20" << 3 << 5 << r15;
    QTest::newRow("VHF squelch 101") << 2 << "Text_SQ_VHF" << 0 << "101" << 4 << 38 << r100;
    QTest::newRow("VHF squelch sign") << 2 << "Text_SQ_VHF" << 2 << "-" << 4 << 36 << r255;
    QTest::newRow("UHF squelch 100") << 2 << "Text_SQ_UHF" << 9 << "100" << 6 << 100 << QString();
    QTest::newRow("UHF squelch letter") << 2 << "Text_SQ_UHF" << 1 << "q" << 6 << 31 << r100;
    QTest::newRow("VHF offset 11") << 2 << "Text_Sq_Offset_VHF" << 0 << "11" << 5 << 8 << r10;
    QTest::newRow("UHF offset 10") << 2 << "Text_Sq_Offset_UHF" << 15 << "10" << 7 << 10 << QString();
}

void TestAlignment::numberBoxes()
{
    QFETCH(int, tab);
    QFETCH(QString, box);
    QFETCH(int, element);
    QFETCH(QString, typed);
    QFETCH(int, line);
    QFETCH(int, stored);
    QFETCH(QString, message);

    m_window->tabs()->setCurrentIndex(tab);
    const QByteArray before = TestSupport::alignment();
    type(m_window->box(box, element), typed);
    QCOMPARE(int(at(line, element)), stored);
    QCOMPARE(m_window->box(box, element)->text(), QString::number(stored));
    QByteArray expected = before;
    expected[index(line, element)] = char(stored);
    QCOMPARE(TestSupport::alignment(), expected);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(records.at(0).title, QStringLiteral("操作提示"));
        QCOMPARE(records.at(0).text, message);
    }
}

void TestAlignment::rangeBoxes_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("band");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");

    QTest::newRow("VHF upper 180") << true << 0 << true << "180" << 179 << "上限频率不可大于该频段最大工作频率";
    QTest::newRow("VHF lower 125") << true << 0 << false << "125" << 130 << "下限频率不可小于该频段最低工作频率";
    QTest::newRow("VHF lower 125 en") << false << 0 << false << "125" << 130
                                      << "Receive frequency of lower limit can't less than the lowest of work frequency. ";
    QTest::newRow("UHF upper below lower") << false << 1 << true << "399" << 520
                                           << "Receive frequency of upper limit can't less than receive frequency of lower limit.";
    QTest::newRow("VHF lower at upper") << true << 0 << false << "179" << 130 << "下限频率不可大于该频段上限频率";
    QTest::newRow("UHF upper 520") << false << 1 << true << "520" << 520 << QString();
    QTest::newRow("VHF lower 136") << false << 0 << false << "136" << 136 << QString();
}

void TestAlignment::rangeBoxes()
{
    QFETCH(bool, chinese);
    QFETCH(int, band);
    QFETCH(bool, upper);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, message);

    Language::setChinese(chinese);
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Other);
    QLineEdit *edit = m_window->box(upper ? QStringLiteral("Text_Freq_H") : QStringLiteral("Text_Freq_L"), band);
    type(edit, typed, true);
    QCOMPARE(edit->text(), QString::number(result));
    QCOMPARE(rangeLimit(TestSupport::alignment(), band, upper), result);
    const int first = 6 * band + (upper ? 3 : 0);
    QCOMPARE(int(at(RangeLine, first)), result / 100);
    QCOMPARE(int(at(RangeLine, first + 2)), result % 10);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(records.at(0).title, chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate Prompt"));
        QCOMPARE(records.at(0).text, message);
    }
    // The box takes no fifth character.
    type(edit, QStringLiteral("12345"));
    QCOMPARE(edit->text(), QStringLiteral("1234"));
}

void TestAlignment::listsAndDefaults()
{
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Deviation);
    QComboBox *voice = m_window->list("Combo_Voice_Dev");
    QCOMPARE(voice->count(), 128);
    QCOMPARE(voice->currentText(), QStringLiteral("60"));
    QCOMPARE(m_window->list("Combo_TXP_Temp")->count(), 256);
    QCOMPARE(m_window->list("Combo_TXP_Temp")->currentIndex(), 128);
    // Typing is refused; choosing stores the position.
    QTest::keyClicks(voice, QStringLiteral("9"));
    QCOMPARE(int(at(ListLine, 0)), 60);
    voice->setCurrentIndex(70);
    emit voice->activated(70);
    QCOMPARE(int(at(ListLine, 0)), 70);

    // Default rebuilds the whole block, lines 10-15 as 0 included.
    TestSupport::alignment().fill(char(0x77));
    QTest::mouseClick(button("Command_def"), Qt::LeftButton);
    QCOMPARE(TestSupport::alignment(), builtInDefaults());
    for (int line = 10; line < 16; ++line)
        QCOMPARE(TestSupport::alignment().mid(index(line, 0), LineBytes), QByteArray(LineBytes, 0));
    QCOMPARE(TestSupport::alignment().mid(index(RangeLine, 0), 12), QByteArray("\1\3\0\1\7\11\4\0\0\4\10\0", 12));
    QCOMPARE(TestSupport::alignment().mid(index(ListLine, 0), 3), QByteArray("\x3c\x15\x10", 3));
    QCOMPARE(voice->currentText(), QStringLiteral("60"));
}

void TestAlignment::foreignValuesShownAsTheyAre()
{
    TestSupport::alignment() = outOfRangeBlock();
    const QByteArray block = TestSupport::alignment();
    for (int t = 0; t < AlignmentWindow::TabCount; ++t)
        m_window->tabs()->setCurrentIndex(t);
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Low);
    QCOMPARE(m_window->box("Text1", 0)->text(), QString::number(uint8_t(block.at(index(2, 0)))));
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Deviation);
    QComboBox *voice = m_window->list("Combo_Voice_Dev");
    QCOMPARE(voice->currentIndex(), -1);
    QCOMPARE(voice->placeholderText(), QString::number(uint8_t(block.at(index(ListLine, 0)))));
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Other);
    QCOMPARE(m_window->box("Text_Freq_L", 0)->text(), QString::number(rangeLimit(block, 0, false)));
    // Passing through a range box checks nothing and stores nothing.
    QLineEdit *upper = m_window->box("Text_Freq_H", 1);
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Return);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
    QCOMPARE(TestSupport::alignment(), block);
}

void TestAlignment::runFileWindow(FileWindow::Kind kind, const QString &folder, const QString &name)
{
    FileWindow window(kind);
    window.setFolder(folder);
    window.show();
    auto *text = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(text);
    text->setText(name);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command_enter")), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void TestAlignment::adjustFilesThroughTheFileWindows()
{
    QTemporaryDir dir;
    QSignalSpy asked(m_window.get(), &EditorWindow::fileWindowRequested);
    QTest::mouseClick(button("Command_save"), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.at(0).at(0).value<EditorWindow::FileKind>(), EditorWindow::FileKind::Adjust);
    QCOMPARE(asked.at(0).at(1).toBool(), true);

    TestSupport::alignment() = outOfRangeBlock();
    const QByteArray saved = TestSupport::alignment();
    runFileWindow(FileWindow::Kind::SaveAdjust, dir.path(), QStringLiteral("kept.adj"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete storing optional parameters."}));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("kept.adj"))));

    (Table::prepareDefaults(), TestSupport::alignment() = Table::defaults());
    Language::setChinese(true);
    runFileWindow(FileWindow::Kind::OpenAdjust, dir.path(), QStringLiteral("kept.adj"));
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("操作提示"));
    QCOMPARE(records.at(0).text, QStringLiteral("调整参数从文件调入成功 ！"));
    QCOMPARE(TestSupport::alignment(), saved);
    QCOMPARE(m_window->box("Text1", 0)->text(), QString::number(uint8_t(saved.at(0))));

    // One number short: refused, nothing changes.
    QFile bad(dir.filePath(QStringLiteral("bad.adj")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(" 1 ").repeated(255));
    bad.close();
    runFileWindow(FileWindow::Kind::OpenAdjust, dir.path(), QStringLiteral("bad.adj"));
    const QStringList texts = MessageBox::takeRecordedTexts();
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts.at(0) != QStringLiteral("调整参数从文件调入成功 ！"));
    QCOMPARE(TestSupport::alignment(), saved);
}

void TestAlignment::readAndWriteAgainstTheRadio_data()
{
    QTest::addColumn<int>("stray");
    QTest::newRow("plain replies") << 0;
    QTest::newRow("stray byte before X") << 1;
}

void TestAlignment::readAndWriteAgainstTheRadio()
{
    QFETCH(int, stray);
    // Frames are counted: only the pauses are scaled.
    Timer::setScale(0.05, 1.0);
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    const QByteArray factory = outOfRangeBlock();
    radio.radio().setMemory(0x3C00, std::vector<uint8_t>(factory.begin(), factory.end()));
    vradio::Faults faults;
    faults.strayBeforeX = stray;
    radio.radio().setFaults(faults);
    const QByteArray image(reinterpret_cast<const char *>(TestSupport::image().data()), MemoryImage::Size);

    QSignalSpy finished(&m_window->engine(), &ExchangeEngine::finished);
    QTest::mouseClick(button("Command_read"), Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete reading the data from transceiver."}));
    QCOMPARE(m_window->statusLine()->text(), QStringLiteral("Read optional parameters in gear. "));
    QCOMPARE(TestSupport::alignment(), factory);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(TestSupport::image().data()), MemoryImage::Size), image);
    QCOMPARE(radio.radio().readRequests(), 4);
    // Another tab shows what came in, as it is.
    m_window->tabs()->setCurrentIndex(AlignmentWindow::Squelch);
    QCOMPARE(m_window->box("Text_Sq_Offset_UHF", 15)->text(), QString::number(uint8_t(factory.at(index(7, 15)))));

    // Read then write gives the radio its own block back.
    radio.radio().setMemory(0x3C00, std::vector<uint8_t>(Bytes, 0));
    radio.radio().resetCounters();
    QTest::mouseClick(button("Command_write"), Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete writing optional parameters to the transceiver."}));
    QCOMPARE(radio.memory(0x3C00, Bytes), factory);
    const std::vector<int> order = radio.radio().writtenAddresses();
    QCOMPARE(int(order.size()), 16);
    QCOMPARE(order.front(), 0x3C00);
    QCOMPARE(order.back(), 0x3CF0);
}

void TestAlignment::exhaustedRetriesReachTheStatusBar()
{
    Timer::setScale(0.02);
    RadioOnCom radio(3);
    QVERIFY(radio.ok());
    vradio::Faults silent;
    silent.silent = true;
    radio.radio().setFaults(silent);
    const QByteArray before = TestSupport::alignment();
    QSignalSpy failed(&m_window->engine(), &ExchangeEngine::failed);
    QTest::mouseClick(button("Command_read"), Qt::LeftButton);
    QVERIFY(failed.wait(30000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Fail connect with transceiver."}));
    QCOMPARE(RadioStatus::instance().panelText(2), QStringLiteral("Communication fault."));
    QCOMPARE(TestSupport::alignment(), before);
}

QTEST_MAIN(TestAlignment)
#include "tst_alignment.moc"
