#include "image/areamap.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "shell/radiostatus.h"
#include "signalling/twotonearea.h"
#include "signalling/twotonedecodemodel.h"
#include "signalling/twotoneeditor.h"
#include "signalling/twotoneencodemodel.h"
#include "texts/language.h"
#include "signallingsupport.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace SignallingSupport;

namespace {

constexpr int Base = 0x2D00;

uint8_t at(int offset)
{
    return TestSupport::image().at(Base + offset);
}

int hzAt(int offset)
{
    return at(offset) | (at(offset + 1) << 8);
}

QString rangeMessage()
{
    return QStringLiteral("Frequency range 300Hz to 3000Hz");
}

} // namespace

class TestTwoToneEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void periodCounts();
    void defaults();
    void modelsPassTheItemModelChecks();
    void encodeCells_data();
    void encodeCells();
    void toneBoxes_data();
    void toneBoxes();
    void storedBytesAsShown_data();
    void storedBytesAsShown();
    void clickingThroughADecodeRowChangesNothing();
    void choosingStoresTheEntry();
    void doubleClickEmptiesTheRow();
    void everyControlChangesOnlyItsOwnBytes_data();
    void everyControlChangesOnlyItsOwnBytes();
    void captions();
    void transfers();

private:
    QWidget *openCell(QTableView *grid, int row, int column);
    void typeInCell(int row, int column, const QString &text);
    void typeInToneBox(int code, int tone, const QString &text);
    void leaveCell(QTableView *grid);

    std::unique_ptr<TwoToneEditor> m_editor;
};

void TestTwoToneEditor::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<TwoToneEditor>();
    m_editor->resize(1200, 700);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestTwoToneEditor::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

QWidget *TestTwoToneEditor::openCell(QTableView *grid, int row, int column)
{
    return SignallingSupport::openCell(m_editor->tabs(), grid, row, column);
}

void TestTwoToneEditor::leaveCell(QTableView *grid)
{
    SignallingSupport::leaveCell(grid);
}

void TestTwoToneEditor::typeInCell(int row, int column, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(openCell(m_editor->encodeGrid(), row, column));
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    leaveCell(m_editor->encodeGrid());
}

void TestTwoToneEditor::typeInToneBox(int code, int tone, const QString &text)
{
    openCell(m_editor->decodeGrid(), code - 1, 0);
    QCOMPARE(m_editor->currentCode(), code);
    auto *box = m_editor->findChild<QLineEdit *>(QStringLiteral("Text_tone%1").arg(QLatin1Char(char('A' + tone))));
    QVERIFY(box);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    m_editor->decodeGrid()->setFocus();
    QCoreApplication::processEvents();
}

void TestTwoToneEditor::periodCounts()
{
    const struct
    {
        int hz, count;
    } cases[] = {{3000, 768}, {300, 7680}, {1981, 1163}, {1124, 2050}};
    for (const auto &c : cases)
        QCOMPARE(TwoToneArea::periodCount(c.hz), c.count);
}

void TestTwoToneEditor::defaults()
{
    auto check = [] {
        QByteArray area(Area::TwoTone.byteCount(), char(0xFF));
        auto put16 = [&area](int offset, int value) {
            area[offset] = char(value & 0xFF);
            area[offset + 1] = char(value >> 8);
        };
        const int encode[][3] = {{1, 1981, 1124},  {2, 1358, 1446},  {3, 1540, 1640}, {12, 2200, 970},
                                 {13, 1060, 1160}, {14, 1400, 1530}, {15, 1670, 1830}};
        for (const auto &e : encode) {
            put16(16 * (e[0] - 1), e[1]);
            put16(16 * (e[0] - 1) + 8, e[2]);
        }
        area[0xF0] = 60;
        area[0xF1] = 60;
        area[0xF2] = 30;
        const QByteArray forward = QByteArray::fromHex("000101040202080303090004");
        const QByteArray backward = QByteArray::fromHex("090004080303040202000101");
        for (int n : {1, 2, 14})
            area.replace(0x100 + 16 * (n - 1), 12, forward);
        area.replace(0x100 + 16 * 14, 12, backward);
        const int sets[][5] = {{1, 1981, 1124, 1197, 1275},
                               {2, 1358, 1446, 1540, 1640},
                               {14, 2200, 970, 1060, 1160},
                               {15, 1400, 1530, 1670, 1830}};
        for (const auto &s : sets) {
            for (int t = 0; t < 4; ++t) {
                put16(0x200 + 16 * (s[0] - 1) + 2 * t, s[t + 1]);
                put16(0x200 + 16 * (s[0] - 1) + 8 + 2 * t, TwoToneArea::periodCount(s[t + 1]));
            }
        }
        area[0x2F0] = 59;
        QCOMPARE(TestSupport::image().rows(Area::TwoTone.firstRow, Area::TwoTone.rowCount()), area);
        // Two period counts as the radio knows them.
        QCOMPARE(hzAt(0x208), 1163);
        QCOMPARE(hzAt(0x20A), 2050);
    };
    check();
    randomise(Area::TwoTone, 3);
    const QByteArray before = wholeImage();
    click(m_editor.get(), "Command_def");
    check();
    QVERIFY(changedOnlyWithin(before, Area::TwoTone.firstAddress(), Area::TwoTone.byteCount()));
    QCOMPARE(m_editor->encodeModel()->cellText(0, 1), QStringLiteral("1981.0"));
    QCOMPARE(m_editor->decodeModel()->cellText(14, 3), QStringLiteral("4"));
    QCOMPARE(m_editor->decodeModel()->cellText(0, 2), QStringLiteral("1.Alert"));
    QCOMPARE(m_editor->findChild<QComboBox *>(QStringLiteral("Combo_Res_Time"))->currentText(), QStringLiteral("6000"));
    QCOMPARE(m_editor->findChild<QLineEdit *>(QStringLiteral("Text_toneD"))->text(), QStringLiteral("1275.0"));
}

void TestTwoToneEditor::modelsPassTheItemModelChecks()
{
    QAbstractItemModelTester encode(m_editor->encodeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester decode(m_editor->decodeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(m_editor->encodeModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral(" 1st Frequency(HZ)"));
    QCOMPARE(m_editor->decodeModel()->columnCount(), 13);
    QCOMPARE(m_editor->decodeModel()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Alert"));
}

void TestTwoToneEditor::encodeCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");

    QTest::newRow("299 refused") << 1 << "299" << 0 << "" << true;
    QTest::newRow("3001 refused") << 2 << "3001" << 0 << "" << true;
    QTest::newRow("3000.4 refused") << 1 << "3000.4" << 0 << "" << true;
    QTest::newRow("a lone point refused") << 1 << "." << 0 << "" << true;
    QTest::newRow("300") << 1 << "300" << 300 << "300.0" << false;
    QTest::newRow("3000") << 2 << "3000" << 3000 << "3000.0" << false;
    QTest::newRow("1500.6 to 1501") << 1 << "1500.6" << 1501 << "1501.0" << false;
    QTest::newRow("1500.5 up") << 2 << "1500.5" << 1501 << "1501.0" << false;
    QTest::newRow("letters dropped") << 1 << "1x2a00" << 1200 << "1200.0" << false;
    QTest::newRow("emptied") << 1 << "" << 0 << "" << false;
}

void TestTwoToneEditor::encodeCells()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(bool, refused);

    const QByteArray before = wholeImage();
    // Code 1 holds tones, so emptying its cells is a change.
    typeInCell(0, column, typed);
    const int offset = 8 * (column - 1);
    QCOMPARE(hzAt(offset), stored);
    QVERIFY(changedOnlyWithin(before, Base + offset, 2));
    QCOMPARE(m_editor->encodeModel()->cellText(0, column), shown);
    QCOMPARE(MessageBox::takeRecordedTexts(), refused ? QStringList{rangeMessage()} : QStringList{});
}

void TestTwoToneEditor::toneBoxes_data()
{
    QTest::addColumn<int>("tone");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("hz"); // -1: 0xFF in all four bytes
    QTest::addColumn<bool>("refused");

    QTest::newRow("1500.5 to even 1500") << 0 << "1500.5" << 1500 << false;
    QTest::newRow("1501.5 to even 1502") << 1 << "1501.5" << 1502 << false;
    QTest::newRow("1500.51 up") << 2 << "1500.51" << 1501 << false;
    QTest::newRow("3000") << 3 << "3000" << 3000 << false;
    QTest::newRow("300") << 0 << "300" << 300 << false;
    QTest::newRow("3000.5 rounds into range") << 1 << "3000.5" << 3000 << false;
    QTest::newRow("299 refused") << 2 << "299" << -1 << true;
    QTest::newRow("3001 refused") << 3 << "3001" << -1 << true;
    QTest::newRow("emptied") << 0 << "" << -1 << false;
}

void TestTwoToneEditor::toneBoxes()
{
    QFETCH(int, tone);
    QFETCH(QString, typed);
    QFETCH(int, hz);
    QFETCH(bool, refused);

    const int code = 2;
    const QByteArray before = wholeImage();
    typeInToneBox(code, tone, typed);
    const int hzOffset = 0x200 + 16 * (code - 1) + 2 * tone;
    const int periodOffset = hzOffset + 8;
    if (hz < 0) {
        QCOMPARE(hzAt(hzOffset), 0xFFFF);
        QCOMPARE(hzAt(periodOffset), 0xFFFF);
    } else {
        QCOMPARE(hzAt(hzOffset), hz);
        QCOMPARE(hzAt(periodOffset), TwoToneArea::periodCount(hz));
    }
    for (int a : changedAddresses(before))
        QVERIFY2(a - Base == hzOffset || a - Base == hzOffset + 1 || a - Base == periodOffset || a - Base == periodOffset + 1,
                 qPrintable(QString::number(a, 16)));
    QCOMPARE(MessageBox::takeRecordedTexts(), refused ? QStringList{rangeMessage()} : QStringList{});
    auto *box = m_editor->findChild<QLineEdit *>(QStringLiteral("Text_tone%1").arg(QLatin1Char(char('A' + tone))));
    QCOMPARE(box->text(), hz < 0 ? QString() : QStringLiteral("%1.0").arg(hz));
    if (refused) {
        // The box asks for a valid tone again.
        QTRY_VERIFY(box->hasFocus());
    }
}

void TestTwoToneEditor::storedBytesAsShown_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("column"); // decode grid column of row 6, or -1 for the widget named
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("shown");

    const int row = 0x100 + 16 * 5;
    QTest::newRow("pair 12") << row << QByteArray::fromHex("0c") << 1 << "" << "";
    QTest::newRow("pair 0xFF") << row << QByteArray::fromHex("ff") << 1 << "" << "";
    QTest::newRow("pair 11") << row << QByteArray::fromHex("0b") << 1 << "" << "D-C";
    QTest::newRow("response 7") << row + 1 << QByteArray::fromHex("07") << 2 << "" << "0.None";
    QTest::newRow("response 0xFF") << row + 1 << QByteArray::fromHex("ff") << 2 << "" << "";
    QTest::newRow("alert 16") << row + 2 << QByteArray::fromHex("10") << 3 << "" << "16";
    QTest::newRow("alert 0") << row + 2 << QByteArray::fromHex("00") << 3 << "" << "0";
    QTest::newRow("alert 17") << row + 11 << QByteArray::fromHex("11") << 12 << "" << "";
    QTest::newRow("duration 0xFF") << 0xF0 << QByteArray::fromHex("ff") << -1 << "Combo_time1" << "1000";
    QTest::newRow("gap 100") << 0xF2 << QByteArray::fromHex("64") << -1 << "Combo_time3" << "1000";
    QTest::newRow("reset beyond") << 0x2F0 << QByteArray::fromHex("50") << -1 << "Combo_Res_Time" << "8000";
    QTest::newRow("tone set 0") << 0x200 << QByteArray::fromHex("0000") << -1 << "Text_toneA" << "";
    QTest::newRow("tone set 0xFFFF") << 0x202 << QByteArray::fromHex("ffff") << -1 << "Text_toneB" << "";
}

void TestTwoToneEditor::storedBytesAsShown()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(int, column);
    QFETCH(QString, widget);
    QFETCH(QString, shown);

    TestSupport::image().setAt(Base + 0x100 + 16 * 5, 0); // a pair, so its group shows
    for (int i = 0; i < stored.size(); ++i)
        TestSupport::image().setAt(Base + offset + i, uint8_t(stored.at(i)));
    const QByteArray before = wholeImage();
    m_editor->redisplay();
    if (column >= 0)
        QCOMPARE(m_editor->decodeModel()->cellText(5, column), shown);
    else if (auto *combo = m_editor->findChild<QComboBox *>(widget))
        QCOMPARE(combo->currentText(), shown);
    else
        QCOMPARE(m_editor->findChild<QLineEdit *>(widget)->text(), shown);
    QCOMPARE(wholeImage(), before);

    // Encode tones of 0 and 0xFFFF show empty cells.
    TestSupport::image().setAt(Base + 0, 0);
    TestSupport::image().setAt(Base + 1, 0);
    TestSupport::image().setAt(Base + 8, 0xFF);
    TestSupport::image().setAt(Base + 9, 0xFF);
    QCOMPARE(m_editor->encodeModel()->cellText(0, 1), QString());
    QCOMPARE(m_editor->encodeModel()->cellText(0, 2), QString());
}

void TestTwoToneEditor::clickingThroughADecodeRowChangesNothing()
{
    randomise(Area::TwoTone, 11);
    m_editor->redisplay();
    const QByteArray before = wholeImage();
    for (int row : {0, 6}) {
        for (int c = 0; c < 13; ++c) {
            QWidget *overlay = openCell(m_editor->decodeGrid(), row, c);
            QCOMPARE(overlay != nullptr, c > 0);
        }
        leaveCell(m_editor->decodeGrid());
    }
    // ... and through the encode cells, and in and out of the tone boxes.
    for (int c = 1; c < 3; ++c)
        openCell(m_editor->encodeGrid(), 3, c);
    leaveCell(m_editor->encodeGrid());
    for (int t = 0; t < 4; ++t)
        m_editor->findChild<QLineEdit *>(QStringLiteral("Text_tone%1").arg(QLatin1Char(char('A' + t))))->setFocus();
    m_editor->decodeGrid()->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(wholeImage(), before);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestTwoToneEditor::choosingStoresTheEntry()
{
    const struct
    {
        int column;
        int expectedPreset; // where the list opens on an empty cell
        int downs;
        uint8_t stored;
    } cases[] = {{1, 0, 1, 1}, {2, 2, 1, 3}, {3, 0, 2, 3}};
    for (const auto &c : cases) {
        auto *combo = qobject_cast<QComboBox *>(openCell(m_editor->decodeGrid(), 7, c.column));
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), c.expectedPreset);
        QCOMPARE(at(0x100 + 16 * 7 + c.column - 1), uint8_t(0xFF));
        for (int i = 0; i < c.downs; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(at(0x100 + 16 * 7 + c.column - 1), c.stored);
        leaveCell(m_editor->decodeGrid());
    }
    QCOMPARE(m_editor->decodeModel()->cellText(7, 1), QStringLiteral("A-C"));
    QCOMPARE(m_editor->decodeModel()->cellText(7, 2), QStringLiteral("3.Alert+Transpond"));
    QCOMPARE(m_editor->decodeModel()->cellText(7, 3), QStringLiteral("3"));
    // A stored cell opens on its own value.
    auto *combo = qobject_cast<QComboBox *>(openCell(m_editor->decodeGrid(), 0, 3));
    QCOMPARE(combo->currentText(), QStringLiteral("1"));
}

void TestTwoToneEditor::doubleClickEmptiesTheRow()
{
    const QByteArray before = wholeImage();
    QTableView *grid = m_editor->decodeGrid();
    openCell(grid, 5, 4);
    const QModelIndex code = grid->model()->index(1, 0);
    const QRect cell = grid->visualRect(code);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_editor->currentCode(), 2);
    for (int c = 1; c < 13; ++c)
        QCOMPARE(m_editor->decodeModel()->cellText(1, c), QString());
    const QList<int> changed = changedAddresses(before);
    QCOMPARE(changed.size(), 12);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(changed.at(i), Base + 0x110 + i);
        QCOMPARE(at(0x110 + i), uint8_t(0xFF));
    }
    QCOMPARE(m_editor->findChild<QLineEdit *>(QStringLiteral("Text_toneA"))->text(), QStringLiteral("1358.0"));
}

void TestTwoToneEditor::everyControlChangesOnlyItsOwnBytes_data()
{
    QTest::addColumn<int>("kind"); // 0 encode cell, 1 decode cell, 2 list
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");

    for (int row : {0, 14}) {
        for (int c = 1; c < 3; ++c)
            QTest::addRow("encode %d/%d", row, c) << 0 << row << c << "" << 16 * row + 8 * (c - 1) << 2;
        for (int c = 1; c < 13; ++c)
            QTest::addRow("decode %d/%d", row, c) << 1 << row << c << "" << 0x100 + 16 * row + c - 1 << 1;
    }
    QTest::newRow("first duration") << 2 << 0 << 0 << "Combo_time1" << 0xF0 << 1;
    QTest::newRow("second duration") << 2 << 0 << 0 << "Combo_time2" << 0xF1 << 1;
    QTest::newRow("gap") << 2 << 0 << 0 << "Combo_time3" << 0xF2 << 1;
    QTest::newRow("reset") << 2 << 0 << 0 << "Combo_Res_Time" << 0x2F0 << 1;
}

void TestTwoToneEditor::everyControlChangesOnlyItsOwnBytes()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, list);
    QFETCH(int, offset);
    QFETCH(int, size);

    randomise(Area::TwoTone, quint32(offset * 31 + kind));
    m_editor->redisplay();
    const QByteArray before = wholeImage();
    if (kind == 0) {
        typeInCell(row, column, QStringLiteral("1234"));
        QCOMPARE(hzAt(offset), 1234);
    } else {
        QComboBox *combo = kind == 1 ? qobject_cast<QComboBox *>(openCell(m_editor->decodeGrid(), row, column))
                                     : m_editor->findChild<QComboBox *>(list);
        QVERIFY(combo);
        combo->setFocus();
        QTest::keyClick(combo, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(changedAddresses(before), QList<int>({Base + offset}));
    }
    QVERIFY(changedOnlyWithin(before, Base + offset, size));
}

void TestTwoToneEditor::captions()
{
    openCell(m_editor->decodeGrid(), 13, 0);
    auto *frame = m_editor->findChild<QGroupBox *>(QStringLiteral("Frame_tone"));
    QCOMPARE(frame->title(), QStringLiteral(" 14 Decode 2 Tone Frequency"));
    QCOMPARE(m_editor->tabs()->tabText(1), QStringLiteral("Decode"));

    Language::setChinese(true);
    TwoToneEditor chinese;
    QCOMPARE(chinese.windowTitle(), QStringLiteral("2 TONE 编解码参数编辑"));
    QCOMPARE(chinese.tabs()->tabText(0), QStringLiteral("编码"));
    QCOMPARE(chinese.findChild<QGroupBox *>(QStringLiteral("Frame_tone"))->title(), QStringLiteral(" 1 解码信息两音频率"));
    QCOMPARE(chinese.decodeModel()->cellText(0, 2), QStringLiteral("1.提醒"));
    QCOMPARE(chinese.decodeModel()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("   响 应 方 式  "));
    QCOMPARE(chinese.findChild<QLineEdit *>(QStringLiteral("Text_toneC"))->accessibleName(), QStringLiteral("C 音（HZ）"));
    // The refusal follows the flag when it shows, whatever window raised it.
    Language::setChinese(false);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("2 TONE 编解码参数编辑"));
    Language::setChinese(true);
    typeInCell(0, 1, QStringLiteral("100"));
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("操作提示"));
    QCOMPARE(records.at(0).text, QStringLiteral("频率范围在 300.0 HZ - 3000.0 HZ 之间  ！"));
    Language::setChinese(false);
    typeInCell(0, 1, QStringLiteral("100"));
    QCOMPARE(MessageBox::takeRecorded().at(0).title, QStringLiteral("Operate Prompt\""));
}

void TestTwoToneEditor::transfers()
{
    checkTransfers(m_editor.get(), {Area::TwoTone, 12, Area::TwoTone, 48, "Complete reading the data from transceiver.",
                                    "Read Signal parameters in gear. ",
                                    "Complete writing Signal parameters to the transceiver.",
                                    "Complete writing Signal parameters "});
}

QTEST_MAIN(TestTwoToneEditor)
#include "tst_twotoneeditor.moc"
