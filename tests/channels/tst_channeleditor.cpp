#include "channels/channeleditor.h"
#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "texts/language.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>
#include <memory>

using Col = ChannelGridModel::Column;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray recordOf(int channel)
{
    return TestSupport::image().row(Area::Channels.firstRow + channel);
}

QByteArray nameRowOf(int channel)
{
    return TestSupport::image().row(Area::ChannelNames.firstRow + channel);
}

} // namespace

class TestChannelEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void modelPassesTheItemModelChecks();
    void frequencyIntoAnEmptyChannelCreatesIt();
    void frequencyOutOfRangeTakesTheBandFloor();
    void newReceiveFrequencyMakesADuplexChannelSimplex();
    void transmitFrequencyRules();
    void passingThroughACellChangesNothing();
    void toneSelectionsAndTypedValues();
    void toneKeysAreFiltered();
    void cellBoxesTakeTheirKeysAndEnter_data();
    void cellBoxesTakeTheirKeysAndEnter();
    void nameIsCutUpperCasedAndStoredByPosition();
    void nameInAnEmptyRowIsDropped();
    void listColumnsChangeOnlyTheirOwnBits_data();
    void listColumnsChangeOnlyTheirOwnBits();
    void enterMovesAsTheUserExpects();
    void clearAndDefault();
    void defaultWhileBusy();
    void windowKeepsItsLanguage();
    void ownReadAndWriteAgainstTheRadio();
    void writeRefusedForAnOutOfBandChannel();
    void showsTheImageAgainWhenActivated();
    void columnsFillTheGridOrScroll_data();
    void columnsFillTheGridOrScroll();

private:
    QWidget *openEditor(int row, int column);
    QWidget *visibleEditor(const char *name) const;
    void typeInto(int row, int column, const QString &text, bool enter = true);
    void chooseInList(int row, int column, const QString &entry);
    QString cell(int row, int column) const { return m_editor->model()->cellText(row, column); }

    std::unique_ptr<ChannelEditor> m_editor;
};

void TestChannelEditor::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<ChannelEditor>();
    m_editor->resize(1300, 700);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestChannelEditor::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

QWidget *TestChannelEditor::visibleEditor(const char *name) const
{
    // Closed editors linger until their deferred deletion.
    return TestSupport::visibleCellEditor(m_editor->grid(), name);
}

QWidget *TestChannelEditor::openEditor(int row, int column)
{
    QTableView *grid = m_editor->grid();
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(grid->model()->index(row, Col::Number));
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
    QCoreApplication::processEvents();
    return visibleEditor(ChannelGridModel::isTextColumn(column) ? "Text_Edit" : "Combo_edit");
}

void TestChannelEditor::typeInto(int row, int column, const QString &text, bool enter)
{
    QWidget *editor = openEditor(row, column);
    QVERIFY2(editor, qPrintable(QStringLiteral("no editor at %1,%2").arg(row).arg(column)));
    QWidget *target = editor;
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        target = combo->lineEdit();
    QVERIFY(target);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        line->selectAll();
    QTest::keyClick(target, Qt::Key_Backspace);
    QTest::keyClicks(target, text);
    if (enter) {
        QTest::keyClick(target, Qt::Key_Return);
    } else {
        // Leaving the cell commits it.
        m_editor->grid()->setCurrentIndex(m_editor->grid()->model()->index(row, Col::Number));
    }
    QCoreApplication::processEvents();
}

void TestChannelEditor::chooseInList(int row, int column, const QString &entry)
{
    auto *combo = qobject_cast<QComboBox *>(openEditor(row, column));
    QVERIFY2(combo, qPrintable(QStringLiteral("no list at %1,%2").arg(row).arg(column)));
    const int position = combo->findText(entry);
    QVERIFY2(position >= 0, qPrintable(entry));
    combo->setCurrentIndex(position);
    m_editor->grid()->setCurrentIndex(m_editor->grid()->model()->index(row, Col::Number));
    QCoreApplication::processEvents();
}

void TestChannelEditor::modelPassesTheItemModelChecks()
{
    QAbstractItemModelTester tester(m_editor->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The model follows whatever changes the document.
    Document::instance().applyToImage(StepLabel(), [](MemoryImage &image) {
        ChannelGridModel::clearAll(image);
        return true;
    });
    Document::instance().applyToImage(StepLabel(), [](MemoryImage &image) {
        ChannelGridModel::loadDefaults(image);
        return true;
    });
    QCOMPARE(m_editor->model()->rowCount(), 200);
    QCOMPARE(m_editor->model()->columnCount(), 16);
    QCOMPARE(m_editor->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("RX Frequency"));
    QCOMPARE(m_editor->model()->headerData(15, Qt::Horizontal).toString(), QStringLiteral("CH-Name"));
}

void TestChannelEditor::frequencyIntoAnEmptyChannelCreatesIt()
{
    QVERIFY(ChannelRecord(TestSupport::image(), 10).isEmpty());
    typeInto(10, Col::RxFrequency, QStringLiteral("145.1234"));
    QCOMPARE(recordOf(10), bytes({0x50, 0x22, 0x51, 0x14, 0x50, 0x22, 0x51, 0x14, 0, 0, 0, 0, 0, 0, 0, 0x04}));
    QCOMPARE(nameRowOf(10), QByteArray(16, char(0xFF)));
    QCOMPARE(cell(10, Col::RxFrequency), QStringLiteral("145.12250"));
    QCOMPARE(cell(10, Col::TxFrequency), QStringLiteral("145.12250"));
    QCOMPARE(cell(10, Col::RxTone), QStringLiteral("OFF"));
    QCOMPARE(cell(10, Col::TxTone), QStringLiteral("OFF"));
    QCOMPARE(cell(10, Col::Power), QStringLiteral("HIGH"));
    QCOMPARE(cell(10, Col::Bandwidth), QStringLiteral("W"));
    QCOMPARE(cell(10, Col::ScanAdd), QStringLiteral("ON"));
    QCOMPARE(cell(10, Col::SignalCode), QStringLiteral("1"));
    QCOMPARE(cell(10, Col::Band), QStringLiteral("VHF/UHF "));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestChannelEditor::frequencyOutOfRangeTakesTheBandFloor()
{
    typeInto(11, Col::RxFrequency, QStringLiteral("185"));
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("Over the range of receive frequency ."));
    QCOMPARE(records.at(0).icon, MessageBox::Icon::Warning);
    QCOMPARE(cell(11, Col::RxFrequency), QStringLiteral("130.00000"));
    QCOMPARE(cell(11, Col::TxFrequency), QStringLiteral("130.00000"));
    QCOMPARE(recordOf(11).left(8), bytes({0, 0, 0x00, 0x13, 0, 0, 0x00, 0x13}));

    // The floor follows the band limits the radio reported.
    BandLimits::current() = BandLimits{136, 174, 400, 480};
    typeInto(12, Col::RxFrequency, QStringLiteral("481"));
    QCOMPARE(cell(12, Col::RxFrequency), QStringLiteral("136.00000"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Over the range of receive frequency ."}));
    // Band B takes its upper limit itself, nothing above.
    typeInto(13, Col::RxFrequency, QStringLiteral("480"));
    QCOMPARE(cell(13, Col::RxFrequency), QStringLiteral("480.00000"));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestChannelEditor::newReceiveFrequencyMakesADuplexChannelSimplex()
{
    typeInto(20, Col::RxFrequency, QStringLiteral("438.5"));
    typeInto(20, Col::TxFrequency, QStringLiteral("430.5"));
    QCOMPARE(cell(20, Col::TxFrequency), QStringLiteral("430.50000"));
    typeInto(20, Col::RxFrequency, QStringLiteral("439.0125"));
    QCOMPARE(cell(20, Col::RxFrequency), QStringLiteral("439.01250"));
    QCOMPARE(cell(20, Col::TxFrequency), QStringLiteral("439.01250"));
    QCOMPARE(recordOf(20).mid(4, 4), bytes({0x50, 0x12, 0x90, 0x43}));

    // An emptied receive frequency deletes the channel, name included.
    ChannelRecord(TestSupport::image(), 20).setName(QStringLiteral("AB"));
    typeInto(20, Col::RxFrequency, QString());
    QCOMPARE(recordOf(20), QByteArray(16, char(0xFF)));
    QCOMPARE(nameRowOf(20), QByteArray(16, char(0xFF)));
    QCOMPARE(cell(20, Col::Band), QString());
}

void TestChannelEditor::transmitFrequencyRules()
{
    // No receive frequency yet: the transmit frequency is refused.
    typeInto(30, Col::TxFrequency, QStringLiteral("145"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Please input the receive frequency in advance."}));
    QCOMPARE(recordOf(30), QByteArray(16, char(0xFF)));
    QCOMPARE(cell(30, Col::TxFrequency), QString());

    typeInto(30, Col::RxFrequency, QStringLiteral("145"));
    chooseInList(30, Col::RxTone, QStringLiteral("88.5"));
    typeInto(30, Col::TxFrequency, QStringLiteral("600"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Over the range of transmit frequency ."}));
    QCOMPARE(cell(30, Col::TxFrequency), QStringLiteral("130.00000"));
    QCOMPARE(cell(30, Col::TxTone), QStringLiteral("OFF"));
    QCOMPARE(recordOf(30).mid(10, 2), bytes({0xFF, 0xFF}));
    QCOMPARE(recordOf(30).mid(8, 2), bytes({0x75, 0x03}));

    // Emptying it makes a receive-only channel.
    typeInto(30, Col::TxFrequency, QString());
    QCOMPARE(recordOf(30).mid(4, 8), bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x75, 0x03, 0xFF, 0xFF}));
    QCOMPARE(cell(30, Col::TxFrequency), QString());
    QCOMPARE(cell(30, Col::TxTone), QString());
}

void TestChannelEditor::passingThroughACellChangesNothing()
{
    typeInto(40, Col::RxFrequency, QStringLiteral("438.5"));
    typeInto(40, Col::TxFrequency, QStringLiteral("430.5"));
    TestSupport::image().setCell(Area::Channels.firstRow + 40, ChannelRecord::Offset::power, 0x02);
    const QByteArray before = recordOf(40);
    for (int c = Col::Band; c < Col::ColumnCount; ++c) {
        openEditor(40, c);
        m_editor->grid()->setCurrentIndex(m_editor->grid()->model()->index(40, Col::Number));
        QCoreApplication::processEvents();
    }
    QCOMPARE(recordOf(40), before);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestChannelEditor::toneSelectionsAndTypedValues()
{
    typeInto(50, Col::RxFrequency, QStringLiteral("145"));
    MemoryImage &image = TestSupport::image();
    const int row = Area::Channels.firstRow + 50;
    image.setCell(row, 12, 0xA3);
    image.setCell(row, 13, 0x21);

    chooseInList(50, Col::RxTone, QStringLiteral("D023N"));
    QCOMPARE(recordOf(50).mid(8, 4), bytes({0x01, 0x00, 0x01, 0x00}));
    QCOMPARE(cell(50, Col::TxTone), QStringLiteral("D023N"));

    chooseInList(50, Col::TxTone, QStringLiteral("88.5"));
    QCOMPARE(recordOf(50).mid(8, 4), bytes({0x01, 0x00, 0x75, 0x03}));
    QCOMPARE(cell(50, Col::RxTone), QStringLiteral("D023N"));

    typeInto(50, Col::TxTone, QStringLiteral("100"));
    QCOMPARE(recordOf(50).mid(8, 6), bytes({0x01, 0x00, 0xE8, 0x03, 0xA3, 0x21}));
    QCOMPARE(cell(50, Col::TxTone), QStringLiteral("100.0"));

    // A CTCSS value between the table's tones is kept as typed.
    typeInto(50, Col::RxTone, QStringLiteral("123.4"));
    QCOMPARE(recordOf(50).mid(8, 4), bytes({0xD2, 0x04, 0xD2, 0x04}));
    QCOMPARE(cell(50, Col::RxTone), QStringLiteral("123.4"));

    // Neither a CTCSS value nor a tone name: ignored.
    typeInto(50, Col::RxTone, QStringLiteral("300"));
    QCOMPARE(recordOf(50).mid(8, 4), bytes({0xD2, 0x04, 0xD2, 0x04}));
    QCOMPARE(cell(50, Col::RxTone), QStringLiteral("123.4"));

    typeInto(50, Col::RxTone, QStringLiteral("d754i"));
    QCOMPARE(recordOf(50).mid(8, 4), bytes({0xD2, 0x00, 0xD2, 0x00}));
    QCOMPARE(recordOf(50).mid(12, 2), bytes({0xA3, 0x21}));
}

void TestChannelEditor::toneKeysAreFiltered()
{
    typeInto(51, Col::RxFrequency, QStringLiteral("145"));
    auto *combo = qobject_cast<QComboBox *>(openEditor(51, Col::RxTone));
    QVERIFY(combo && combo->lineEdit());
    // The cell's "OFF" is replaced by what is typed, not appended to.
    QCOMPARE(combo->lineEdit()->text(), QStringLiteral("OFF"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("xd0a2z3n!"));
    QCOMPARE(combo->lineEdit()->text(), QStringLiteral("D023N"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(recordOf(51).mid(8, 2), bytes({0x01, 0x00}));
}

void TestChannelEditor::cellBoxesTakeTheirKeysAndEnter_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("enterCloses");
    QTest::newRow("frequency: digits and one point") << int(Col::RxFrequency) << QStringLiteral("1x4 5..5")
                                                     << QStringLiteral("145.5") << true;
    QTest::newRow("name: anything") << int(Col::Name) << QStringLiteral("a b!") << QStringLiteral("a b!") << true;
    QTest::newRow("band: Enter does nothing") << int(Col::Band) << QString() << QString() << false;
}

void TestChannelEditor::cellBoxesTakeTheirKeysAndEnter()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, enterCloses);
    QWidget *editor = openEditor(53, column);
    QVERIFY(editor);
    auto *combo = qobject_cast<QComboBox *>(editor);
    QWidget *target = combo && combo->lineEdit() ? combo->lineEdit() : editor;
    QTest::keyClicks(target, typed);
    QCOMPARE(combo ? combo->currentText() : qobject_cast<QLineEdit *>(editor)->text(), shown);
    QTest::keyClick(target, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(visibleEditor(combo ? "Combo_edit" : "Text_Edit") != editor, enterCloses);
}

void TestChannelEditor::nameIsCutUpperCasedAndStoredByPosition()
{
    typeInto(60, Col::RxFrequency, QStringLiteral("145"));
    typeInto(60, Col::Name, QStringLiteral("ab-1234"), false);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).title, QStringLiteral("Operate Prompt"));
    QCOMPARE(records.at(0).text, QStringLiteral("The letter of channel name max 6 bit . "));
    QCOMPARE(cell(60, Col::Name), QStringLiteral("AB-123"));
    QCOMPARE(nameRowOf(60), bytes({0x41, 0x42, 0xFF, 0x31, 0x32, 0x33, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                   0xFF, 0xFF}));
    m_editor->redisplay();
    QCOMPARE(cell(60, Col::Name), QStringLiteral("AB123"));

    // The message box reads the language when it is shown.
    Language::setChinese(true);
    typeInto(60, Col::Name, QStringLiteral("abcdefgh"), false);
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"信道名称的字符个数最大为 6 位 ！"}));
    QCOMPARE(cell(60, Col::Name), QStringLiteral("ABCDEF"));
}

void TestChannelEditor::nameInAnEmptyRowIsDropped()
{
    typeInto(70, Col::Name, QStringLiteral("ABC"), false);
    QCOMPARE(cell(70, Col::Name), QString());
    QCOMPARE(nameRowOf(70), QByteArray(16, char(0xFF)));
}

void TestChannelEditor::listColumnsChangeOnlyTheirOwnBits_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("byteOffset");
    QTest::addColumn<int>("mask");
    QTest::newRow("power") << int(Col::Power) << 14 << 0x03;
    QTest::newRow("W/N") << int(Col::Bandwidth) << 15 << 0x40;
    QTest::newRow("PTT-ID") << int(Col::PttId) << 15 << 0x03;
    QTest::newRow("busy lock") << int(Col::BusyLock) << 15 << 0x08;
    QTest::newRow("scan add") << int(Col::ScanAdd) << 15 << 0x04;
    QTest::newRow("signal code") << int(Col::SignalCode) << 12 << 0x0F;
    QTest::newRow("optional signalling") << int(Col::Signalling) << 13 << 0x0F;
    QTest::newRow("mute mode") << int(Col::MuteMode) << 13 << 0xF0;
    QTest::newRow("scrambler") << int(Col::Scrambler) << 14 << 0xF0;
}

void TestChannelEditor::listColumnsChangeOnlyTheirOwnBits()
{
    QFETCH(int, column);
    QFETCH(int, byteOffset);
    QFETCH(int, mask);
    const int channel = 80;
    const int row = Area::Channels.firstRow + channel;
    MemoryImage &image = TestSupport::image();
    const QStringList entries = ChannelGridModel::listEntries(column);
    for (const int background : {0x00, 0xFF, 0xA5, 0x5A}) {
        for (int position = 0; position < entries.size(); ++position) {
            typeInto(channel, Col::RxFrequency, QStringLiteral("145"));
            for (int c = 8; c < 16; ++c)
                image.setCell(row, c, uint8_t(background));
            m_editor->redisplay();
            // Start from another entry so that choosing this one is a change.
            const int other = position == 0 ? 1 : 0;
            chooseInList(channel, column, entries.at(other));
            const QByteArray before = recordOf(channel);
            chooseInList(channel, column, entries.at(position));
            const QByteArray after = recordOf(channel);
            for (int b = 0; b < 16; ++b) {
                const int changed = uchar(before.at(b)) ^ uchar(after.at(b));
                const int allowed = b == byteOffset ? mask : 0;
                QVERIFY2((changed & ~allowed) == 0,
                         qPrintable(QStringLiteral("background %1 position %2 byte %3 changed %4")
                                        .arg(background).arg(position).arg(b).arg(changed, 0, 16)));
            }
            QCOMPARE(cell(channel, column), entries.at(position));
            m_editor->redisplay();
            // Power is shown from three bits, of which the editor writes two: with the third
            // set, only "HIGH" can show, as the radio reads it.
            const bool powerBitTwoSet = column == Col::Power && (background & 0x04);
            QCOMPARE(cell(channel, column), powerBitTwoSet ? QStringLiteral("HIGH") : entries.at(position));
        }
    }
}

void TestChannelEditor::enterMovesAsTheUserExpects()
{
    QTableView *grid = m_editor->grid();
    typeInto(90, Col::RxFrequency, QStringLiteral("145"));
    QCOMPARE(grid->currentIndex().column(), int(Col::TxFrequency));
    QCOMPARE(grid->currentIndex().row(), 90);

    auto *tx = qobject_cast<QLineEdit *>(visibleEditor("Text_Edit"));
    QVERIFY(tx && tx->isVisible());
    QTest::keyClick(tx, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(grid->currentIndex().column(), int(Col::RxTone));

    auto *combo = qobject_cast<QComboBox *>(visibleEditor("Combo_edit"));
    QVERIFY(combo && combo->isVisible());
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(grid->currentIndex().column(), int(Col::TxTone));

    // Both frequency cells empty: on to the band of the next row.
    typeInto(91, Col::TxFrequency, QString());
    QCOMPARE(grid->currentIndex().row(), 92);
    QCOMPARE(grid->currentIndex().column(), int(Col::Band));
    // Not beyond the last channel.
    typeInto(199, Col::RxFrequency, QString());
    typeInto(199, Col::TxFrequency, QString());
    QCOMPARE(grid->currentIndex().row(), 199);
    // Enter in the name box commits the name, as it commits every other cell, and the
    // cursor stays.
    typeInto(90, Col::Name, QStringLiteral("x1"));
    QCOMPARE(grid->currentIndex().column(), int(Col::Name));
    QCOMPARE(grid->currentIndex().row(), 90);
    QCOMPARE(nameRowOf(90).left(3), QByteArray("X1\xFF"));
    QVERIFY(!visibleEditor("Text_Edit"));
}

void TestChannelEditor::clearAndDefault()
{
    QPushButton *clear = m_editor->findChild<QPushButton *>(QStringLiteral("Command_Clear"));
    QPushButton *def = m_editor->findChild<QPushButton *>(QStringLiteral("Command_def"));
    QVERIFY(clear && def);
    ChannelRecord(TestSupport::image(), 0).setName(QStringLiteral("CALL"));
    QTest::mouseClick(clear, Qt::LeftButton);
    for (int ch = 0; ch < 200; ++ch) {
        QCOMPARE(recordOf(ch), QByteArray(16, char(0xFF)));
        QCOMPARE(nameRowOf(ch), QByteArray(16, char(0xFF)));
        QCOMPARE(cell(ch, Col::RxFrequency), QString());
    }
    ChannelRecord(TestSupport::image(), 1).setName(QStringLiteral("KEEP"));
    QTest::mouseClick(def, Qt::LeftButton);
    // The defaults rewrite the records only; names stay as they are.
    QCOMPARE(cell(1, Col::Name), QStringLiteral("KEEP"));
    QCOMPARE(cell(4, Col::RxFrequency), QStringLiteral("479.95000"));
    QCOMPARE(cell(6, Col::RxTone), QStringLiteral("D754I"));
    QCOMPARE(cell(199, Col::RxFrequency), QStringLiteral("480.62500"));
    QCOMPARE(cell(100, Col::Band), QString());
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestChannelEditor::defaultWhileBusy()
{
    RadioOnCom radio(3);
    QVERIFY(radio.ok());
    radio.radio().setFaults([] {
        vradio::Faults f;
        f.silent = true;
        return f;
    }());
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_read")), Qt::LeftButton);
    QVERIFY(m_editor->isBusy());
    const QByteArray image = TestSupport::image().rows(0, MemoryImage::Rows);
    // Default still works (the other buttons' refusals are the frame's): the read
    // replaces the channels when it ends anyway.
    TestSupport::image().fill(Area::Channels.firstRow, Area::Channels.lastRow, 0xFF);
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_def")), Qt::LeftButton);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
    QCOMPARE(cell(4, Col::RxFrequency), QStringLiteral("479.95000"));
    QCOMPARE(TestSupport::image().rows(Area::ChannelNames.firstRow, 200), image.mid(Area::ChannelNames.firstAddress(), 200 * 16));
    m_editor->engine().stop();
}

void TestChannelEditor::windowKeepsItsLanguage()
{
    Language::setChinese(true);
    ChannelEditor chinese;
    QCOMPARE(chinese.windowTitle(), QStringLiteral("信道参数编辑"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command_def"))->text(), QStringLiteral("出厂值"));
    QCOMPARE(chinese.model()->headerData(15, Qt::Horizontal).toString(), QStringLiteral("信 道 名 称"));
    QCOMPARE(chinese.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral(" 工作频段 "));
    Language::setChinese(false);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("信道参数编辑"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("Channel Information"));
    QCOMPARE(m_editor->findChild<QPushButton *>(QStringLiteral("Command_read"))->text(), QStringLiteral("Read"));
}

void TestChannelEditor::ownReadAndWriteAgainstTheRadio()
{
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    // Names in the radio's own codes: 0-9 digits, 17.. letters, 253 "-".
    radio.radio().setMemory(0x1000 + 3 * 16, {17, 18, 253, 1, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const QByteArray otherRows = TestSupport::image().rows(Area::Unassigned1.firstRow, 56);
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    QSignalSpy finished(&m_editor->engine(), &ExchangeEngine::finished);

    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_read")), Qt::LeftButton);
    QVERIFY(finished.wait(30000));
    QVERIFY(!m_editor->isBusy());
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete reading data from the transceiver."}));
    QCOMPARE(m_editor->findChild<QLabel *>(QStringLiteral("Label_tr_count"))->text(),
             QStringLiteral("Read Channel Data is Ok ！"));
    QCOMPARE(TestSupport::image().rows(Area::Channels.firstRow, 200), radio.memory(0x0000, 200 * 16));
    QCOMPARE(TestSupport::image().rows(Area::ChannelNames.firstRow, 200), radio.memory(0x1000, 200 * 16));
    QCOMPARE(TestSupport::image().rows(Area::Unassigned1.firstRow, 56), otherRows);
    QCOMPARE(cell(3, Col::Name), QStringLiteral("AB-12"));
    // 51 record blocks and 51 name blocks; the 51st of each only travels.
    QCOMPARE(radio.radio().readRequests(), 102);

    // Write back a known set and compare what arrived.
    ChannelGridModel::loadDefaults(TestSupport::image());
    ChannelRecord(TestSupport::image(), 5).setName(QStringLiteral("REP1"));
    radio.radio().resetCounters();
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_write")), Qt::LeftButton);
    QVERIFY(finished.wait(30000));
    QVERIFY(!m_editor->isBusy());
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete writing the data to transceiver."}));
    QCOMPARE(m_editor->findChild<QLabel *>(QStringLiteral("Label_tr_count"))->text(), QStringLiteral("Channel Data Writed ！"));
    QCOMPARE(radio.memory(0x0000, 200 * 16), TestSupport::image().rows(Area::Channels.firstRow, 200));
    QCOMPARE(radio.memory(0x1000, 200 * 16), TestSupport::image().rows(Area::ChannelNames.firstRow, 200));
    const std::vector<int> order = radio.radio().writtenAddresses();
    QCOMPARE(int(order.size()), 400);
    QCOMPARE(order.at(0), 0x0000);
    QCOMPARE(order.at(1), 0x1000);
    QCOMPARE(order.at(398), 199 * 16);
    QCOMPARE(order.at(399), 0x1000 + 199 * 16);
}

void TestChannelEditor::writeRefusedForAnOutOfBandChannel()
{
    RadioOnCom radio(4);
    QVERIFY(radio.ok());
    typeInto(5, Col::RxFrequency, QStringLiteral("145"));
    // 185 MHz cannot be typed; it arrives by a file or a read.
    TestSupport::image().setRows(Area::Channels.firstRow + 5,
                                    bytes({0, 0, 0x50, 0x18, 0, 0, 0x50, 0x18, 0, 0, 0, 0, 0, 0, 0, 4}));
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_write")), Qt::LeftButton);
    QCOMPARE(MessageBox::takeRecordedTexts(),
             QStringList({"Channel 5that Receiving or transmitting frequency  out of frequency limitation range "}));
    QVERIFY(!m_editor->isBusy());
    QTest::qWait(100);
    QCOMPARE(radio.radio().bytesIn(), uint64_t(0));

    Language::setChinese(true);
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("Command_write")), Qt::LeftButton);
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"信道 5 中的接收或发射频率超出频率限制范围"}));
}

void TestChannelEditor::showsTheImageAgainWhenActivated()
{
    // Two children of one frame; the image changes while the other one is in front, as a
    // file load or a bulk read would change it.
    QMdiArea area;
    area.resize(1400, 900);
    auto *editor = new ChannelEditor;
    QMdiSubWindow *editorFrame = area.addSubWindow(editor);
    QMdiSubWindow *otherFrame = area.addSubWindow(new QWidget);
    area.show();
    editorFrame->show();
    otherFrame->show();
    area.setActiveSubWindow(otherFrame);
    QCOMPARE(editor->model()->cellText(4, Col::RxFrequency), QStringLiteral("479.95000"));

    ChannelRecord record(TestSupport::image(), 4);
    QVERIFY(record.setRxFrequency(QStringLiteral("433.5")));
    // A name whose first byte is empty is no name, whatever follows it.
    TestSupport::image().setRows(record.nameRow(), bytes({0xFF, 0x41, 0x42, 0x43, 0x44, 0x45, 0xFF, 0xFF, 0xFF,
                                                              0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    QCOMPARE(editor->model()->cellText(4, Col::RxFrequency), QStringLiteral("479.95000"));

    area.setActiveSubWindow(editorFrame);
    QCOMPARE(editor->model()->cellText(4, Col::RxFrequency), QStringLiteral("433.50000"));
    QCOMPARE(editor->model()->cellText(4, Col::Name), QString());
    // Showing changed nothing.
    QCOMPARE(record.nameBytes().left(2), bytes({0xFF, 0x41}));
}


void TestChannelEditor::columnsFillTheGridOrScroll_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("fills");
    // 1286: the window's width on a 1366-pixel screen, a little under the columns' own.
    QTest::newRow("1366 screen") << 1286 << true;
    QTest::newRow("wide") << 1900 << true;
    QTest::newRow("narrow") << 700 << false;
}

void TestChannelEditor::columnsFillTheGridOrScroll()
{
    QFETCH(int, width);
    QFETCH(bool, fills);
    m_editor->resize(width, 700);
    QCoreApplication::processEvents();
    QTableView *grid = m_editor->grid();
    const int columns = grid->horizontalHeader()->length();
    const int viewport = grid->viewport()->width();
    if (fills) {
        // The last column ends at the grid's edge: no empty strip, no sideways scrolling.
        QCOMPARE(columns, viewport);
    } else {
        // Captions stay whole; the grid scrolls instead.
        QVERIFY2(columns > viewport, qPrintable(QStringLiteral("%1 <= %2").arg(columns).arg(viewport)));
        QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
    }
}

QTEST_MAIN(TestChannelEditor)
#include "tst_channeleditor.moc"
