#include "image/areamap.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "shell/radiostatus.h"
#include "signalling/fivetonearea.h"
#include "signalling/fivetonedecodemodel.h"
#include "signalling/fivetonedecodetable.h"
#include "signalling/fivetoneeditor.h"
#include "signalling/fivetoneencodemodel.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonestandardsmodel.h"
#include "texts/language.h"
#include "signallingsupport.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace SignallingSupport;

namespace {

constexpr int Base = 0x2400;

uint8_t at(int offset)
{
    return TestSupport::image().at(Base + offset);
}

QByteArray areaBytes(int offset, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char(at(offset + i)));
    return out;
}

} // namespace

class TestFiveToneEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void defaults();
    void modelsPassTheItemModelChecks();
    void encodeFrames_data();
    void encodeFrames();
    void storedBytesAsShown_data();
    void storedBytesAsShown();
    void standardsTabShowsTheChosenStandard();
    void decodeCodesStayWithTheRun();
    void everyControlChangesOnlyItsOwnBytes_data();
    void everyControlChangesOnlyItsOwnBytes();
    void captions();
    void transfers();

private:
    QWidget *openCell(QTableView *grid, int row, int column);
    void leaveCell(QTableView *grid);
    void typeInCell(QTableView *grid, int row, int column, const QString &keys);
    void chooseInCell(QTableView *grid, int row, int column);

    std::unique_ptr<FiveToneEditor> m_editor;
};

void TestFiveToneEditor::init()
{
    TestSupport::resetState();
    TestSupport::fiveToneDecode().clear();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<FiveToneEditor>();
    m_editor->resize(1200, 760);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestFiveToneEditor::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

QWidget *TestFiveToneEditor::openCell(QTableView *grid, int row, int column)
{
    return SignallingSupport::openCell(m_editor->tabs(), grid, row, column);
}

void TestFiveToneEditor::leaveCell(QTableView *grid)
{
    SignallingSupport::leaveCell(grid);
}

void TestFiveToneEditor::typeInCell(QTableView *grid, int row, int column, const QString &keys)
{
    auto *edit = qobject_cast<QLineEdit *>(openCell(grid, row, column));
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
    leaveCell(grid);
}

void TestFiveToneEditor::chooseInCell(QTableView *grid, int row, int column)
{
    auto *combo = qobject_cast<QComboBox *>(openCell(grid, row, column));
    QVERIFY(combo);
    QTest::keyClick(combo, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
    leaveCell(grid);
}

void TestFiveToneEditor::defaults()
{
    auto check = [] {
        MemoryImage expected;
        expected.fill(0, MemoryImage::Rows - 1, 0xFF);
        FiveToneStandards::writeTables(expected);
        for (int s = 0; s < 15; ++s) {
            const int p = s == 0 || s == 11 ? 8 : s == 9 || s == 14 ? 2 : s == 10 ? 1 : 5;
            expected.setAt(Base + 16 * s, uint8_t(p));
            expected.setAt(Base + 16 * s + 1, 10);
            expected.setAt(Base + 16 * s + 2, 14);
        }
        auto put = [&expected](int offset, const QByteArray &b) {
            for (int i = 0; i < b.size(); ++i)
                expected.setAt(Base + offset + i, uint8_t(b.at(i)));
        };
        put(0x100, QByteArray::fromHex("010203040503040506070506070809") + QByteArray(1, 0));
        put(0x1E0, QByteArray::fromHex("020304050604050607080607080900") + QByteArray(1, 14));
        put(0x1F0, QByteArray::fromHex("14141400ffffffff0001063bffffffff"));
        QCOMPARE(TestSupport::image().rows(Area::FiveToneWrite.firstRow, Area::FiveToneWrite.rowCount()),
                 expected.rows(Area::FiveToneWrite.firstRow, Area::FiveToneWrite.rowCount()));
        // The standards rows as the radio knows them.
        QCOMPARE(TestSupport::image().at(0x2000), uint8_t(0xBD));
        QCOMPARE(TestSupport::image().at(0x2100), uint8_t(0x07));
        QCOMPARE(TestSupport::image().at(0x2200), uint8_t(0x8B));
        QCOMPARE(TestSupport::image().at(0x2300), uint8_t(0x04));
    };
    check();
    randomise(Area::FiveToneWrite, 5);
    // The bytes the defaults do not name keep what they held: bytes 3-15 of a standard's row.
    const uint8_t untouched = TestSupport::image().at(Base + 16 * 3 + 7);
    const QByteArray before = wholeImage();
    click(m_editor.get(), "Command_def");
    QVERIFY(changedOnlyWithin(before, Area::FiveToneWrite.firstAddress(), Area::FiveToneWrite.byteCount()));
    QCOMPARE(TestSupport::image().at(Base + 16 * 3 + 7), untouched);
    for (int s = 0; s < 15; ++s) {
        for (int i = 3; i < 16; ++i)
            TestSupport::image().setAt(Base + 16 * s + i, 0xFF);
    }
    TestSupport::image().fill(MemoryImage::rowOf(Base + 0xF0), MemoryImage::rowOf(Base + 0xF0), 0xFF);
    for (int block = 0; block < 4; ++block)
        TestSupport::image().fill(Area::FiveToneStandards.firstRow + 16 * block + 15,
                                     Area::FiveToneStandards.firstRow + 16 * block + 15, 0xFF);
    check();
    QCOMPARE(m_editor->encodeModel()->cellText(14, FiveToneEncodeModel::Frame3), QStringLiteral("67890"));
    QCOMPARE(m_editor->encodeModel()->cellText(14, FiveToneEncodeModel::Standard), QStringLiteral("MODAT"));
    QCOMPARE(m_editor->standardsModel()->cellText(0, FiveToneStandardsModel::Period), QStringLiteral("100"));
    QCOMPARE(m_editor->findChild<QComboBox *>(QStringLiteral("Combo_Dec_Res_Time"))->currentText(), QStringLiteral("6000"));
    QVERIFY(m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Call0"))->isChecked());
    QVERIFY(!m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Disp0"))->isChecked());
    QVERIFY(m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Disp2"))->isChecked());
}

void TestFiveToneEditor::modelsPassTheItemModelChecks()
{
    QAbstractItemModelTester a(m_editor->standardsModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester b(m_editor->encodeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester c(m_editor->decodeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(m_editor->decodeModel()->columnCount(), 9);
    QCOMPARE(m_editor->decodeModel()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Transpond"));
    QCOMPARE(m_editor->encodeModel()->headerData(4, Qt::Horizontal).toString(), QStringLiteral(" Standard "));
}

void TestFiveToneEditor::encodeFrames_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("stored"); // empty: the frame as it was
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");

    QTest::newRow("three characters refused") << "123" << QByteArray() << "34567" << true;
    QTest::newRow("four refused") << "ABCD" << QByteArray() << "34567" << true;
    QTest::newRow("empty stores five 0xFF") << "" << QByteArray(5, char(0xFF)) << "" << false;
    QTest::newRow("a is 10") << "a1b2f" << QByteArray::fromHex("0a010b020f") << "A1B2F" << false;
    QTest::newRow("sixth refused, other keys dropped") << "9g8*7654" << QByteArray::fromHex("0908070605") << "98765" << false;
}

void TestFiveToneEditor::encodeFrames()
{
    QFETCH(QString, keys);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(bool, refused);

    const QByteArray before = wholeImage();
    typeInCell(m_editor->encodeGrid(), 0, FiveToneEncodeModel::Frame2, keys);
    const int offset = 0x100 + 5;
    QCOMPARE(areaBytes(offset, 5), stored.isEmpty() ? QByteArray::fromHex("0304050607") : stored);
    QVERIFY(changedOnlyWithin(before, Base + offset, 5));
    QCOMPARE(m_editor->encodeModel()->cellText(0, FiveToneEncodeModel::Frame2), shown);
    QCOMPARE(MessageBox::takeRecordedTexts(), refused ? QStringList{"Encode Digit is 5 Bits."} : QStringList{});
}

void TestFiveToneEditor::storedBytesAsShown_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("grid"); // 0 standards, 1 encode, -1 the list named
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("shown");

    QTest::newRow("period code 8") << 16 * 4 << 8 << 0 << 4 << 1 << "" << "100";
    QTest::newRow("period beyond the list") << 16 * 4 << 0xFF << 0 << 4 << 1 << "" << "200";
    QTest::newRow("group tone 0xFF") << 16 * 2 + 1 << 0xFF << 0 << 2 << 2 << "" << "";
    QTest::newRow("repeat tone 15") << 16 * 2 + 2 << 15 << 0 << 2 << 3 << "" << "F";
    QTest::newRow("standard index 15") << 0x10F << 15 << 1 << 0 << 4 << "" << "";
    QTest::newRow("standard index 13") << 0x10F << 13 << 1 << 0 << 4 << "" << "NATEL";
    QTest::newRow("frame byte above 15") << 0x101 << 0x10 << 1 << 0 << 1 << "" << "1345";
    QTest::newRow("delay beyond") << 0x1F1 << 0xFF << -1 << 0 << 0 << "Combo_Delay2" << "1000";
    QTest::newRow("reset beyond") << 0x1FB << 80 << -1 << 0 << 0 << "Combo_Dec_Res_Time" << "8000";
    QTest::newRow("decode standard beyond") << 0x1F8 << 15 << -1 << 0 << 0 << "Combo_Dec_Std" << "";
}

void TestFiveToneEditor::storedBytesAsShown()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(int, grid);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, list);
    QFETCH(QString, shown);

    TestSupport::image().setAt(Base + offset, uint8_t(value));
    const QByteArray before = wholeImage();
    m_editor->redisplay();
    if (grid == 0)
        QCOMPARE(m_editor->standardsModel()->cellText(row, column), shown);
    else if (grid == 1)
        QCOMPARE(m_editor->encodeModel()->cellText(row, column), shown);
    else
        QCOMPARE(m_editor->findChild<QComboBox *>(list)->currentText(), shown);
    QCOMPARE(wholeImage(), before);
    QCOMPARE(FiveToneStandards::indexOf(QStringLiteral("CCIR3")), 255);
}

void TestFiveToneEditor::standardsTabShowsTheChosenStandard()
{
    auto *name = m_editor->findChild<QComboBox *>(QStringLiteral("Combo_stxh"));
    auto *label0 = m_editor->findChild<QLabel *>(QStringLiteral("Label_freq0"));
    auto *labelA = m_editor->findChild<QLabel *>(QStringLiteral("Label_freq10"));
    QCOMPARE(name->currentText(), QStringLiteral("CCIR1"));
    QCOMPARE(label0->text(), QStringLiteral("1981.0"));
    openCell(m_editor->standardsGrid(), 11, 0);
    QCOMPARE(name->currentText(), QStringLiteral("EURO"));
    QCOMPARE(label0->text(), QStringLiteral("979.8"));
    QCOMPARE(labelA->text(), QStringLiteral("0.0"));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Down);
    QCOMPARE(m_editor->findChild<QLabel *>(QStringLiteral("Label_freq14"))->text(), QStringLiteral("2300.0"));
}

void TestFiveToneEditor::decodeCodesStayWithTheRun()
{
    const QByteArray before = wholeImage();
    QTableView *grid = m_editor->decodeGrid();
    typeInCell(grid, 2, FiveToneDecodeModel::Frame1, QStringLiteral("12ab3"));
    typeInCell(grid, 2, FiveToneDecodeModel::Frame2, QStringLiteral("12"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Decode Digit is 5 Bits."}));
    typeInCell(grid, 2, FiveToneDecodeModel::Transpond, QStringLiteral("0000F"));
    chooseInCell(grid, 2, FiveToneDecodeModel::Standard);
    chooseInCell(grid, 2, FiveToneDecodeModel::Function3);
    QCOMPARE(m_editor->currentDecodeCode(), 3);
    QCOMPARE(m_editor->findChild<QGroupBox *>(QStringLiteral("Frame_function"))->title(),
             QStringLiteral("Execute after Code 3 Decode Succeeded "));
    m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Fun1_3"))->click(); // frame 2 ALERT
    m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Fun1_8"))->click(); // frame 2 option 5
    m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Fun0_0"))->click(); // frame 1 DISP
    m_editor->findChild<QCheckBox *>(QStringLiteral("Check_Reply_Idle"))->click();
    // None of it goes into the image.
    QCOMPARE(wholeImage(), before);

    const FiveToneDecodeTable table = FiveToneDecodeTable::fromBytes(TestSupport::fiveToneDecode());
    const FiveToneDecodeTable::Code &code = table.code(3);
    QCOMPARE(code.frames[0], QStringLiteral("12AB3"));
    QCOMPARE(code.frames[1], QString());
    QCOMPARE(code.functions[0], uint8_t(0x01));
    QCOMPARE(code.functions[2], uint8_t(0x08));
    QCOMPARE(code.functions[3], uint8_t(0x10));

    // A character no keyboard filter let in still meets the check.
    m_editor->decodeModel()->setData(m_editor->decodeModel()->index(4, FiveToneDecodeModel::Frame3), QStringLiteral("12G45"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Group Digits only by 0 to 9 and A to F."}));

    m_editor.reset();
    FiveToneEditor again;
    again.show();
    QCOMPARE(again.decodeModel()->cellText(2, FiveToneDecodeModel::Frame1), QStringLiteral("12AB3"));
    QCOMPARE(again.decodeModel()->cellText(2, FiveToneDecodeModel::Transpond), QStringLiteral("0000F"));
    QCOMPARE(again.decodeModel()->cellText(2, FiveToneDecodeModel::Standard), QStringLiteral("CCIR2"));
    QCOMPARE(again.decodeModel()->cellText(2, FiveToneDecodeModel::Function3), QStringLiteral("1.Primary Caller ID"));
    QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("Check_Reply_Idle"))->isChecked());
    again.decodeGrid()->setCurrentIndex(again.decodeModel()->index(2, 0));
    QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("Check_Fun1_3"))->isChecked());
    QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("Check_Fun1_8"))->isChecked());
    QVERIFY(!again.findChild<QCheckBox *>(QStringLiteral("Check_Fun1_0"))->isChecked());
    again.decodeGrid()->setCurrentIndex(again.decodeModel()->index(0, 0));
    QVERIFY(!again.findChild<QCheckBox *>(QStringLiteral("Check_Fun1_3"))->isChecked());
}

void TestFiveToneEditor::everyControlChangesOnlyItsOwnBytes_data()
{
    QTest::addColumn<int>("kind"); // 0 standards cell, 1 encode cell, 2 list, 3 check box
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");

    for (int s : {0, 14}) {
        for (int c = 1; c < 4; ++c)
            QTest::addRow("standard %d/%d", s, c) << 0 << s << c << "" << 16 * s + c - 1 << 1;
    }
    for (int n : {0, 14}) {
        for (int c = 1; c < 4; ++c)
            QTest::addRow("frame %d/%d", n, c) << 1 << n << c << "" << 0x100 + 16 * n + 5 * (c - 1) << 5;
        QTest::addRow("encode standard %d", n) << 1 << n << 4 << "" << 0x100 + 16 * n + 15 << 1;
    }
    for (int k = 0; k < 4; ++k)
        QTest::addRow("delay %d", k + 1) << 2 << 0 << 0 << QStringLiteral("Combo_Delay%1").arg(k + 1) << 0x1F0 + k << 1;
    QTest::newRow("decode standard") << 2 << 0 << 0 << "Combo_Dec_Std" << 0x1F8 << 1;
    QTest::newRow("reset") << 2 << 0 << 0 << "Combo_Dec_Res_Time" << 0x1FB << 1;
    for (int i = 0; i < 3; ++i) {
        QTest::addRow("call %d", i) << 3 << 0 << 1 << QStringLiteral("Check_Call%1").arg(i) << 0x1F9 << (1 << i);
        QTest::addRow("disp %d", i) << 3 << 0 << 1 << QStringLiteral("Check_Disp%1").arg(i) << 0x1FA << (1 << i);
    }
}

void TestFiveToneEditor::everyControlChangesOnlyItsOwnBytes()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, control);
    QFETCH(int, offset);
    QFETCH(int, size);

    randomise(Area::FiveToneWrite, quint32(offset * 7 + kind));
    m_editor->redisplay();
    const QByteArray before = wholeImage();
    const uint8_t old = at(offset);
    if (kind == 0) {
        chooseInCell(m_editor->standardsGrid(), row, column);
    } else if (kind == 1 && column == FiveToneEncodeModel::Standard) {
        chooseInCell(m_editor->encodeGrid(), row, column);
    } else if (kind == 1) {
        typeInCell(m_editor->encodeGrid(), row, column, QStringLiteral("1A2B3"));
        QCOMPARE(areaBytes(offset, 5), QByteArray::fromHex("010a020b03"));
    } else if (kind == 2) {
        auto *combo = m_editor->findChild<QComboBox *>(control);
        combo->setFocus();
        QTest::keyClick(combo, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
    } else {
        m_editor->findChild<QCheckBox *>(control)->click();
        // `size` holds the box's bit here.
        QCOMPARE(uint8_t(at(offset) ^ old), uint8_t(size));
        size = 1;
    }
    QVERIFY(!changedAddresses(before).isEmpty());
    QVERIFY(changedOnlyWithin(before, Base + offset, size));
}

void TestFiveToneEditor::captions()
{
    Language::setChinese(true);
    FiveToneEditor chinese;
    QCOMPARE(chinese.windowTitle(), QStringLiteral("5音信令编解码参数编辑"));
    QCOMPARE(chinese.tabs()->tabText(1), QStringLiteral("编解码"));
    QCOMPARE(chinese.standardsModel()->headerData(2, Qt::Horizontal).toString(), QStringLiteral(" 群 呼 码 "));
    QCOMPARE(chinese.findChild<QGroupBox *>(QStringLiteral("Frame_function"))->title(),
             QStringLiteral("1 信息码各组编码成功解码后执行操作"));
    QCOMPARE(chinese.findChild<QCheckBox *>(QStringLiteral("Check_Call1"))->text(), QStringLiteral("第 2 帧"));
    QCOMPARE(chinese.decodeModel()->entries(FiveToneDecodeModel::Function1).at(4), QStringLiteral("4.巡查"));
    Language::setChinese(false);
    QCOMPARE(chinese.decodeModel()->entries(FiveToneDecodeModel::Function1).at(4), QStringLiteral("4.巡查"));
    QCOMPARE(m_editor->decodeModel()->entries(FiveToneDecodeModel::Function1).at(4), QStringLiteral("4.Inspection "));
}

void TestFiveToneEditor::transfers()
{
    // The read brings the codes only; the write sends the standards tables with them.
    checkTransfers(m_editor.get(), {Area::FiveToneCodes, 8, Area::FiveToneWrite, 96,
                                    "Complete reading the data from transceiver.", "Read Signal parameters in gear. ",
                                    "Complete writing Signal parameters to the transceiver.",
                                    "Complete writing Signal parameters "});
}

QTEST_MAIN(TestFiveToneEditor)
#include "tst_fivetoneeditor.moc"
