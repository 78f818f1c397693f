#include "fm/fmeditor.h"
#include "fm/fmgridmodel.h"
#include "fm/fmpresets.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/exchangeengine.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/imageinitialisation.h"
#include "shell/radiostatus.h"
#include "texts/language.h"
#include "support/radiofixture.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>
#include <memory>

using Col = FmGridModel::Column;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray rowOf(int channel)
{
    return TestSupport::image().row(Area::Fm.firstRow + channel);
}

const QByteArray Empty8 = QByteArray(8, char(0xFF));

} // namespace

class TestFmEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void gridShape();
    void typedFrequencies_data();
    void typedFrequencies();
    void typedNames_data();
    void typedNames();
    void emptyRowsAndUntypedCells();
    void defaultsByteForByte();
    void editsTouchOnlyTheirOwnBytes_data();
    void editsTouchOnlyTheirOwnBytes();
    void clearAndDefaultWhileBusy();
    void ownReadAndWriteAgainstTheRadio();

private:
    QLineEdit *openOverlay(int row, int column);
    void typeInto(int row, int column, const QString &text);
    QString cell(int row, int column) const { return m_editor->model()->cellText(row, column); }
    QPushButton *button(const char *name) const { return m_editor->findChild<QPushButton *>(QLatin1String(name)); }

    std::unique_ptr<FmEditor> m_editor;
};

void TestFmEditor::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<FmEditor>();
    m_editor->resize(700, 600);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestFmEditor::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

QLineEdit *TestFmEditor::openOverlay(int row, int column)
{
    QTableView *grid = m_editor->grid();
    grid->setCurrentIndex(grid->model()->index(row, Col::Number));
    grid->setCurrentIndex(grid->model()->index(row, column));
    QTest::keyClick(grid, Qt::Key_F2);
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>(QStringLiteral("Text_Edit"))) {
        if (e->isVisible())
            return e;
    }
    return nullptr;
}

void TestFmEditor::typeInto(int row, int column, const QString &text)
{
    QLineEdit *edit = openOverlay(row, column);
    QVERIFY2(edit, "no text overlay");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void TestFmEditor::gridShape()
{
    QAbstractItemModelTester tester(m_editor->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(m_editor->model()->rowCount() + 1, 18); // with the header row
    QCOMPARE(m_editor->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral(" Receive Frequency (MHZ)"));
    QCOMPARE(cell(15, Col::Number), QStringLiteral("16"));
    QCOMPARE(cell(16, Col::Number), QString()); // the spare row
    QVERIFY(!(m_editor->model()->flags(m_editor->model()->index(16, Col::Frequency)) & Qt::ItemIsEditable));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("FM Radio Information"));

    Language::setChinese(true);
    FmEditor chinese;
    QCOMPARE(chinese.windowTitle(), QStringLiteral("FM 收音机频道编辑"));
    QCOMPARE(chinese.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("FM 频 道 号"));
    QCOMPARE(chinese.findChild<QPushButton *>(QStringLiteral("Command_write"))->text(), QStringLiteral("写  入"));
}

void TestFmEditor::typedFrequencies_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("Over the range of receive frequency .");
    QTest::newRow("99.6") << "99.6" << bytes({0, 9, 9, 6, 0, 0, 0, 0}) << "99.60000" << QString();
    QTest::newRow("100.7") << "100.7" << bytes({1, 0, 0, 7, 0, 0, 0, 0}) << "100.70000" << QString();
    QTest::newRow("108 is in") << "108" << bytes({1, 0, 8, 0, 0, 0, 0, 0}) << "108.00000" << QString();
    QTest::newRow("87 is in") << "87" << bytes({0, 8, 7, 0, 0, 0, 0, 0}) << "87.00000" << QString();
    QTest::newRow("fine digits") << "98.123456" << bytes({0, 9, 8, 1, 2, 3, 4, 5}) << "98.12345" << QString();
    QTest::newRow("86.9 floor") << "86.9" << bytes({0, 8, 7, 0, 0, 0, 0, 0}) << "87.00000" << range;
    QTest::newRow("108.01 floor") << "108.01" << bytes({0, 8, 7, 0, 0, 0, 0, 0}) << "87.00000" << range;
    QTest::newRow("no number") << "9x" << bytes({0, 8, 7, 0, 0, 0, 0, 0}) << "87.00000" << range;
}

void TestFmEditor::typedFrequencies()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, digits);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    typeInto(2, Col::Frequency, typed); // an empty default row
    QCOMPARE(rowOf(2), digits + Empty8);
    QCOMPARE(cell(2, Col::Frequency), shown);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(records.at(0).title, QStringLiteral("Operate prompt"));
        QCOMPARE(records.at(0).text, message);
    }
}

void TestFmEditor::typedNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("nameBytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("tooLong");

    const int F = 0xFF;
    QTest::newRow("5 centred") << "CCTV1" << bytes({F, 'C', 'C', 'T', 'V', '1', F, F}) << "CCTV1" << false;
    QTest::newRow("6") << "RADIO6" << bytes({'R', 'A', 'D', 'I', 'O', '6', F, F}) << "RADIO6" << false;
    QTest::newRow("4") << "JAZZ" << bytes({F, F, 'J', 'A', 'Z', 'Z', F, F}) << "JAZZ" << false;
    QTest::newRow("3") << "BBC" << bytes({F, F, 'B', 'B', 'C', F, F, F}) << "BBC" << false;
    QTest::newRow("2") << "R1" << bytes({F, F, F, 'R', '1', F, F, F}) << "R1" << false;
    QTest::newRow("1") << "X" << bytes({F, F, F, 'X', F, F, F, F}) << "X" << false;
    QTest::newRow("7 is cut") << "ABCDEFG" << bytes({'A', 'B', 'C', 'D', 'E', 'F', F, F}) << "ABCDEF" << true;
    QTest::newRow("emptied") << "" << QByteArray(8, char(F)) << "" << false;
}

void TestFmEditor::typedNames()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, nameBytes);
    QFETCH(QString, shown);
    QFETCH(bool, tooLong);

    // Channel 1 holds the default 90.4 "CCTV1", written from byte 8.
    const QByteArray digits = rowOf(1).left(8);
    typeInto(1, Col::Name, typed);
    QCOMPARE(rowOf(1), digits + nameBytes);
    QCOMPARE(cell(1, Col::Name), shown);
    const auto records = MessageBox::takeRecorded();
    QCOMPARE(records.size(), tooLong ? 1 : 0);
    if (tooLong) {
        QCOMPARE(records.at(0).title, QStringLiteral("Operate Prompt"));
        QCOMPARE(records.at(0).text, QStringLiteral("The letter of channel name max 6 bit . "));
    }
}

void TestFmEditor::emptyRowsAndUntypedCells()
{
    MemoryImage &image = TestSupport::image();
    // Byte 3 does not count: the first three digits decide.
    image.setRows(Area::Fm.firstRow + 4, bytes({0, 0, 0, 5, 0, 0, 0, 0, 'A', 'B', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    m_editor->redisplay();
    QCOMPARE(cell(4, Col::Frequency), QString());
    QCOMPARE(cell(4, Col::Name), QString());

    // A name for a preset without a frequency is not kept.
    typeInto(6, Col::Name, QStringLiteral("ABC"));
    QCOMPARE(rowOf(6), QByteArray(8, 0) + Empty8);
    QCOMPARE(cell(6, Col::Name), QString());

    // Emptying the frequency empties the whole preset.
    typeInto(0, Col::Frequency, QString());
    QCOMPARE(rowOf(0), QByteArray(8, 0) + Empty8);
    QCOMPARE(cell(0, Col::Name), QString());

    // Passing through a cell stores nothing (the default name stays left-aligned), and a
    // frequency edit centres the name the grid shows.
    const QByteArray before = image.rows(Area::Fm.firstRow, 16);
    for (int c : {Col::Frequency, Col::Name}) {
        QLineEdit *edit = openOverlay(1, c);
        QVERIFY(edit);
        QCOMPARE(edit->text(), c == Col::Frequency ? QStringLiteral("90.40000") : QStringLiteral("CCTV1"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QCOMPARE(image.rows(Area::Fm.firstRow, 16), before);
    typeInto(1, Col::Frequency, QStringLiteral("90.5"));
    QCOMPARE(rowOf(1), bytes({0, 9, 0, 5, 0, 0, 0, 0, 0xFF, 'C', 'C', 'T', 'V', '1', 0xFF, 0xFF}));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
}

void TestFmEditor::defaultsByteForByte()
{
    MemoryImage &image = TestSupport::image();
    image.fill(Area::Fm.firstRow, Area::Fm.lastRow, 0x5A);
    QTest::mouseClick(button("Command_Def"), Qt::LeftButton);

    const struct
    {
        int channel;
        std::initializer_list<int> digits;
        const char *name;
    } stations[] = {
        {0, {0, 8, 8, 9, 0, 0, 0, 0}, "KXNEW"}, {1, {0, 9, 0, 4, 0, 0, 0, 0}, "CCTV1"},
        {3, {0, 9, 2, 3, 0, 0, 0, 0}, "JTZS2"}, {5, {0, 9, 5, 5, 0, 0, 0, 0}, "KXBBC"},
        {7, {0, 9, 6, 9, 0, 0, 0, 0}, "CCTV4"}, {9, {0, 9, 8, 3, 0, 0, 0, 0}, "FJQX"},
        {11, {1, 0, 3, 9, 0, 0, 0, 0}, "CCTV6"}, {13, {1, 0, 0, 7, 0, 0, 0, 0}, "DNZS3"},
        {15, {1, 0, 5, 9, 0, 0, 0, 0}, "CCTV9"},
    };
    QByteArray expected;
    for (int ch = 0; ch < 16; ++ch)
        expected += QByteArray(8, 0) + Empty8;
    for (const auto &s : stations) {
        const QByteArray name = QByteArray(s.name) + QByteArray(8 - int(qstrlen(s.name)), char(0xFF));
        expected.replace(s.channel * 16, 16, bytes(s.digits) + name);
    }
    QCOMPARE(image.rows(Area::Fm.firstRow, 16), expected);
    QCOMPARE(cell(0, Col::Frequency), QStringLiteral("88.90000"));
    QCOMPARE(cell(15, Col::Frequency), QStringLiteral("105.90000"));
    QCOMPARE(cell(9, Col::Name), QStringLiteral("FJQX"));
    QCOMPARE(cell(2, Col::Frequency), QString());

    // The start-up step writes the same rows.
    image.fill(Area::Fm.firstRow, Area::Fm.lastRow, 0x5A);
    initialiseMemoryImage(image);
    QCOMPARE(image.rows(Area::Fm.firstRow, 16), expected);
}

void TestFmEditor::editsTouchOnlyTheirOwnBytes_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("firstByte");
    QTest::addColumn<int>("lastByte");
    QTest::newRow("frequency") << int(Col::Frequency) << "101.1" << 0 << 15;
    QTest::newRow("name") << int(Col::Name) << "AB" << 8 << 15;
}

void TestFmEditor::editsTouchOnlyTheirOwnBytes()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, firstByte);
    QFETCH(int, lastByte);

    MemoryImage &image = TestSupport::image();
    QRandomGenerator random(1313);
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setAt(a, uint8_t(random.bounded(256)));
    const int channel = 7;
    image.setCell(Area::Fm.firstRow + channel, 0, 0); // a preset with a frequency
    image.setCell(Area::Fm.firstRow + channel, 1, 9);
    m_editor->redisplay();
    QByteArray before(reinterpret_cast<const char *>(image.data()), MemoryImage::Size);

    typeInto(channel, column, typed);
    MessageBox::takeRecorded();
    const QByteArray after(reinterpret_cast<const char *>(image.data()), MemoryImage::Size);
    const int rowStart = Area::Fm.firstAddress() + channel * 16;
    for (int a = 0; a < MemoryImage::Size; ++a) {
        if (a >= rowStart + firstByte && a <= rowStart + lastByte)
            continue;
        QVERIFY2(before.at(a) == after.at(a), qPrintable(QStringLiteral("address %1 changed").arg(a, 4, 16)));
    }
    QVERIFY(before != after);
}

void TestFmEditor::clearAndDefaultWhileBusy()
{
    MemoryImage &image = TestSupport::image();
    QTest::mouseClick(button("Command_Clear"), Qt::LeftButton);
    QCOMPARE(image.rows(Area::Fm.firstRow, 16), QByteArray(256, 0));
    QCOMPARE(cell(0, Col::Frequency), QString());
    QCOMPARE(cell(1, Col::Name), QString());

    // A silent radio keeps the window busy.
    RadioOnCom radio(3);
    QVERIFY(radio.ok());
    vradio::Faults silent;
    silent.silent = true;
    radio.radio().setFaults(silent);
    QTest::mouseClick(button("Command_read"), Qt::LeftButton);
    QVERIFY(m_editor->isBusy());
    MessageBox::takeRecorded();
    // Default is let through (the other buttons' refusals are the frame's).
    QTest::mouseClick(button("Command_Def"), Qt::LeftButton);
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());
    QCOMPARE(cell(0, Col::Frequency), QStringLiteral("88.90000"));
    m_editor->engine().stop();
}

void TestFmEditor::ownReadAndWriteAgainstTheRadio()
{
    // Frames are counted: only the pauses are scaled.
    Timer::setScale(0.05, 1.0);
    RadioOnCom radio(2);
    QVERIFY(radio.ok());
    radio.fillPattern();
    std::vector<uint8_t> preset{0, 9, 9, 6, 0, 0, 0, 0, 'R', 'O', 'C', 'K', 0xFF, 0xFF, 0xFF, 0xFF};
    radio.radio().setMemory(0x3000 + 2 * 16, preset);
    const QByteArray beside = TestSupport::image().rows(Area::TwoTone.firstRow, Area::TwoTone.rowCount());

    QSignalSpy finished(&m_editor->engine(), &ExchangeEngine::finished);
    QTest::mouseClick(button("Command_read"), Qt::LeftButton);
    QVERIFY(finished.wait(10000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete reading the data from transceiver."}));
    QCOMPARE(m_editor->statusLine()->text(), QStringLiteral("Read FM Radio parameters in gear. "));
    QCOMPARE(TestSupport::image().rows(Area::Fm.firstRow, 16), radio.memory(0x3000, 256));
    QCOMPARE(TestSupport::image().rows(Area::TwoTone.firstRow, Area::TwoTone.rowCount()), beside);
    QCOMPARE(radio.radio().readRequests(), 4);
    QCOMPARE(cell(2, Col::Frequency), QStringLiteral("99.60000"));
    QCOMPARE(cell(2, Col::Name), QStringLiteral("ROCK"));

    QTest::mouseClick(button("Command_Def"), Qt::LeftButton);
    typeInto(4, Col::Frequency, QStringLiteral("107.7"));
    radio.radio().resetCounters();
    QTest::mouseClick(button("Command_write"), Qt::LeftButton);
    QVERIFY(finished.wait(10000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete writing Signal parameters to the transceiver."}));
    QCOMPARE(m_editor->statusLine()->text(), QStringLiteral("Complete writing Signal parameters "));
    QCOMPARE(radio.memory(0x3000, 256), TestSupport::image().rows(Area::Fm.firstRow, 16));
    const std::vector<int> order = radio.radio().writtenAddresses();
    QCOMPARE(int(order.size()), 16);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(order.at(i), 0x3000 + 16 * i);
}

QTEST_MAIN(TestFmEditor)
#include "tst_fmeditor.moc"
