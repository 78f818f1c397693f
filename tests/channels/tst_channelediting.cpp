#include "channels/channeleditor.h"
#include "channels/channelgridmodel.h"
#include "channels/channelgridview.h"
#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "link/linknotices.h"
#include "platform/messagebox.h"
#include "shell/imageinitialisation.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using Col = ChannelGridModel::Column;

namespace {

// Channels base.. as one letter each: the channel's name, or "." for an empty one.
// Every lettered channel gets its own frequency, so moved bytes are told apart.
void lay(int base, const QString &layout)
{
    MemoryImage &image = TestSupport::image();
    for (int i = 0; i < layout.size(); ++i) {
        const int ch = base + i;
        clearChannel(image, ch);
        if (layout.at(i) == QLatin1Char('.'))
            continue;
        ChannelRecord rec(image, ch);
        rec.create();
        const qint64 hz = 140'000'000 + qint64(layout.at(i).unicode() - 'A') * 100'000;
        rec.setRxFrequencyHz(hz);
        rec.setTxFrequencyHz(hz);
        rec.setPttIdPosition(ch % 4);
        rec.setName(layout.mid(i, 1));
    }
    Document::instance().history().clear();
}

QString layoutOf(int base, int count)
{
    QString out;
    for (int ch = base; ch < base + count; ++ch) {
        const ChannelRecord rec(TestSupport::image(), ch);
        out += rec.isEmpty() ? QStringLiteral(".") : rec.nameText().left(1);
    }
    return out;
}

QByteArray wholeImage()
{
    return TestSupport::image().rows(0, MemoryImage::Rows);
}

} // namespace

class TestChannelEditing : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void shiftingRules_data();
    void shiftingRules();
    void paste_data();
    void paste();
    void copyAndPasteMoveChannelsWhole();
    void oneValueForManyChannels_data();
    void oneValueForManyChannels();
    void printedListInThePdf();

private:
    QAction *action(const char *name) const { return m_editor->findChild<QAction *>(QLatin1String(name)); }
    void select(int first, int last) { m_editor->gridView()->selectChannels(first, last); }
    // Undo takes the action back in one step, to the bytes it started from.
    void checkOneUndoStep(const QByteArray &before, int stepsBefore);

    std::unique_ptr<ChannelEditor> m_editor;
};

void TestChannelEditing::init()
{
    TestSupport::resetState();
    initialiseMemoryImage(TestSupport::image());
    m_editor = std::make_unique<ChannelEditor>();
    m_editor->resize(1300, 700);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    QApplication::setActiveWindow(m_editor.get());
}

void TestChannelEditing::cleanup()
{
    m_editor.reset();
    TestSupport::endState();
}

void TestChannelEditing::checkOneUndoStep(const QByteArray &before, int stepsBefore)
{
    QUndoStack &history = Document::instance().history();
    QCOMPARE(history.count(), stepsBefore + 1);
    Document::instance().undo();
    QCOMPARE(wholeImage(), before);
}

void TestChannelEditing::shiftingRules_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("key"); // with Ctrl when not Del or Insert; 0: the action
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");

    const QString noRoom = QStringLiteral("No channel below is empty");
    QTest::newRow("insert moves down to the gap") << 0 << "ABC.D" << 1 << 1 << "Edit_insert_channel" << 0 << "A.BCD" << "";
    QTest::newRow("insert by key") << 0 << "ABC.D" << 0 << 0 << "" << int(Qt::Key_Insert) << ".ABCD" << "";
    QTest::newRow("insert two") << 0 << "ABC..D" << 0 << 1 << "Edit_insert_channel" << 0 << "..ABCD" << "";
    QTest::newRow("insert at an empty channel") << 0 << "A.B" << 1 << 1 << "Edit_insert_channel" << 0 << "A.B" << "";
    QTest::newRow("insert with no room below") << 195 << "ABCDE" << 196 << 196 << "Edit_insert_channel" << 0 << "ABCDE" << noRoom;
    QTest::newRow("insert two, room for one") << 195 << "ABC.E" << 195 << 196 << "Edit_insert_channel" << 0 << "ABC.E" << noRoom;
    QTest::newRow("remove closes the gap") << 0 << "ABC.D" << 1 << 1 << "Edit_remove_channel" << 0 << "AC..D" << "";
    QTest::newRow("remove two") << 0 << "ABCD.E" << 1 << 2 << "Edit_remove_channel" << 0 << "AD...E" << "";
    QTest::newRow("remove at the end") << 197 << "ABC" << 198 << 198 << "Edit_remove_channel" << 0 << "AC." << "";
    QTest::newRow("move a block up") << 0 << "ABCD" << 2 << 3 << "Edit_move_up" << 0 << "ACDB" << "";
    QTest::newRow("move down by key") << 0 << "ABC" << 0 << 0 << "" << int(Qt::Key_Down) << "BAC" << "";
    QTest::newRow("move up at the top") << 0 << "ABC" << 0 << 1 << "Edit_move_up" << 0 << "ABC" << "";
    QTest::newRow("move down at the bottom") << 197 << "ABC" << 199 << 199 << "Edit_move_down" << 0 << "ABC" << "";
    QTest::newRow("delete by key") << 0 << "ABC" << 0 << 1 << "" << int(Qt::Key_Delete) << "..C" << "";
    QTest::newRow("sort by name, empty last") << 0 << "C.AB" << 0 << 3 << "Edit_sort_name" << 0 << "ABC." << "";
    QTest::newRow("sort by RX frequency") << 0 << "DB.A" << 0 << 3 << "Edit_sort_rx" << 0 << "ABD." << "";
}

void TestChannelEditing::shiftingRules()
{
    QFETCH(int, base);
    QFETCH(QString, layout);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, action);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QFETCH(QString, message);

    lay(base, layout);
    m_editor->redisplay();
    select(first, last);
    const QByteArray before = wholeImage();
    const int steps = Document::instance().history().count();
    if (key) {
        m_editor->grid()->setFocus();
        const bool plain = key == Qt::Key_Delete || key == Qt::Key_Insert;
        QTest::keyClick(m_editor->grid(), Qt::Key(key), plain ? Qt::NoModifier : Qt::ControlModifier);
    } else {
        QVERIFY(this->action(qPrintable(action)));
        this->action(qPrintable(action))->trigger();
    }
    QCoreApplication::processEvents();
    QCOMPARE(layoutOf(base, int(layout.size())), expected);
    const QStringList messages = MessageBox::takeRecordedTexts();
    if (message.isEmpty())
        QCOMPARE(messages, QStringList());
    else
        QVERIFY2(messages.size() == 1 && messages.first().startsWith(message), qPrintable(messages.join('|')));
    if (expected == layout) {
        QCOMPARE(wholeImage(), before);
        QCOMPARE(Document::instance().history().count(), steps);
    } else {
        // The grid shows the moved channels, and a channel moved whole: its PTT-ID went with it.
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(m_editor->model()->cellText(base + i, Col::Name), expected.mid(i, 1).remove('.'));
        checkOneUndoStep(before, steps);
    }
}

void TestChannelEditing::paste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("at");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("expected"); // channels 0-5, or 194-199 when at > 100
    QTest::addColumn<QString>("message");

    const QString csv = QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\r\n"
                                       "50,P,145.500000,,0.000000,Tone,88.5,88.5\r\n"
                                       "60,Q,146.000000,,0.000000,,88.5,88.5\r\n");
    const QString tsv = QStringLiteral("0\tP\t145.5\n1\tQ\t146.0\n");
    QTest::newRow("CSV with header") << csv << 1 << false << "APQDEF" << "";
    QTest::newRow("tab-separated, no header, by key") << tsv << 4 << true << "ABCDPQ" << "";
    QTest::newRow("a spreadsheet row without frequency empties")
        << QStringLiteral("Name\tFrequency\nP\t145.5\nX\t\n") << 0 << false << "P.CDEF" << "";
    QTest::newRow("a bad row refuses all") << QStringLiteral("Name,Frequency\nP,145.5\nQ,abc\n") << 0 << false << "ABCDEF"
                                           << "No channel was imported: 1 rows are not valid.\nLine 3, column Frequency, "
                                              "value \"abc\": not a frequency in MHz";
    QTest::newRow("out of band by the band limits") << QStringLiteral("0\tP\t185\n") << 0 << false << "ABCDEF"
                                                    << "No channel was imported: 1 rows are not valid.\nLine 1, column "
                                                       "Frequency, value \"185\": Over the range of receive frequency .";
    QTest::newRow("up to the last channel") << tsv << 198 << false << "ABCDPQ" << "";
    QTest::newRow("past the last channel") << tsv << 199 << false << "ABCDEF"
                                           << "No channel was pasted: 2 channels from channel 199 on would run past the "
                                              "last channel, 199.";
    QTest::newRow("nothing to paste") << QStringLiteral("\n") << 0 << false << "ABCDEF"
                                      << "The clipboard holds no channels to paste.";
}

void TestChannelEditing::paste()
{
    QFETCH(QString, text);
    QFETCH(int, at);
    QFETCH(bool, byKey);
    QFETCH(QString, expected);
    QFETCH(QString, message);

    const int base = at > 100 ? 194 : 0;
    lay(base, QStringLiteral("ABCDEF"));
    QGuiApplication::clipboard()->setText(text);
    select(at, at);
    const QByteArray before = wholeImage();
    const int steps = Document::instance().history().count();
    if (byKey) {
        m_editor->grid()->setFocus();
        QTest::keyClick(m_editor->grid(), Qt::Key_V, Qt::ControlModifier);
    } else {
        action("Edit_paste")->trigger();
    }
    QCoreApplication::processEvents();
    QCOMPARE(layoutOf(base, 6), expected);
    QCOMPARE(MessageBox::takeRecordedTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (message.isEmpty()) {
        checkOneUndoStep(before, steps);
    } else {
        QCOMPARE(wholeImage(), before);
        QCOMPARE(Document::instance().history().count(), steps);
    }
}

void TestChannelEditing::copyAndPasteMoveChannelsWhole()
{
    lay(0, QStringLiteral("AB"));
    // Fields the CSV has no column for: busy lock, signalling, scrambler.
    ChannelRecord(TestSupport::image(), 1).setBusyLockPosition(1);
    ChannelRecord(TestSupport::image(), 1).setOptionalSignallingPosition(2);
    ChannelRecord(TestSupport::image(), 1).setScramblerPosition(1);
    const QByteArray records = TestSupport::image().rows(Area::Channels.firstRow, 2);
    const QByteArray names = TestSupport::image().rows(Area::ChannelNames.firstRow, 2);

    select(0, 1);
    action("Edit_cut")->trigger();
    QCOMPARE(layoutOf(0, 2), QStringLiteral(".."));
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime->data(QStringLiteral("text/csv")).startsWith("Location,Name,Frequency,"));
    QVERIFY(mime->text().startsWith(QStringLiteral("Location\tName\tFrequency\t")));
    QVERIFY(mime->text().contains(QStringLiteral("\n1\tB\t")));

    select(20, 20);
    action("Edit_paste")->trigger();
    QCOMPARE(TestSupport::image().rows(Area::Channels.firstRow + 20, 2), records);
    QCOMPARE(TestSupport::image().rows(Area::ChannelNames.firstRow + 20, 2), names);
    QCOMPARE(m_editor->gridView()->selectedChannels(), QVector<int>({20, 21}));

    // From a spreadsheet only the columns come back; the rest are a new channel's.
    QGuiApplication::clipboard()->setText(mime->text());
    select(30, 30);
    action("Edit_paste")->trigger();
    QCOMPARE(m_editor->model()->cellText(31, Col::RxFrequency), m_editor->model()->cellText(21, Col::RxFrequency));
    QCOMPARE(m_editor->model()->cellText(31, Col::BusyLock), QStringLiteral("OFF"));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList());
}

void TestChannelEditing::oneValueForManyChannels_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown"); // in every non-empty selected channel afterwards
    QTest::addColumn<QStringList>("messages");

    const QString kept7 = QStringLiteral("These channels kept their value (empty, or the value is out of range): 7");
    QTest::newRow("list") << int(Col::Power) << "LOW" << "LOW" << QStringList{kept7};
    QTest::newRow("tone") << int(Col::RxTone) << "D023N" << "D023N" << QStringList{kept7};
    QTest::newRow("name, cut to six") << int(Col::Name) << "abcdefg" << "ABCDEF"
                                      << QStringList{QStringLiteral("The letter of channel name max 6 bit . "), kept7};
    QTest::newRow("transmit frequency") << int(Col::TxFrequency) << "146.52" << "146.52000" << QStringList{kept7};
    QTest::newRow("transmit frequency out of band")
        << int(Col::TxFrequency) << "185" << ""
        << QStringList{QStringLiteral("These channels kept their value (empty, or the value is out of range): 4, 5, 6, 7")};
}

void TestChannelEditing::oneValueForManyChannels()
{
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);

    // Default channels: 4 to 6 hold channels, 7 is empty.
    const QByteArray before = wholeImage();
    const int steps = Document::instance().history().count();
    QTableView *grid = m_editor->grid();
    // A click and a Shift+click on the channel numbers (which also forgets the Ctrl an
    // earlier test's key left in the application's modifier state).
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(4, Col::Number)).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualRect(grid->model()->index(7, Col::Number)).center());
    QCOMPARE(m_editor->gridView()->selectedChannels(), QVector<int>({4, 5, 6, 7}));
    // A plain click into a selected row keeps the rows selected and opens the cell.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(5, column)).center());
    QCOMPARE(m_editor->gridView()->selectedChannels(), QVector<int>({4, 5, 6, 7}));
    QWidget *editor = TestSupport::visibleCellEditor(grid, ChannelGridModel::isTextColumn(column) ? "Text_Edit" : "Combo_edit");
    QVERIFY(editor);
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (combo && !combo->isEditable()) {
        combo->setCurrentIndex(combo->findText(value));
    } else {
        QLineEdit *line = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(editor);
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, value);
    }
    // The click that leaves the cell selects another row: the value still goes to the
    // rows that were selected when the cell was opened.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, Col::Number)).center());
    QCoreApplication::processEvents();

    QCOMPARE(MessageBox::takeRecordedTexts(), messages);
    QVERIFY(ChannelRecord(TestSupport::image(), 7).isEmpty());
    if (shown.isEmpty()) {
        QCOMPARE(wholeImage(), before);
        QCOMPARE(Document::instance().history().count(), steps);
        return;
    }
    for (int ch = 4; ch <= 6; ++ch)
        QCOMPARE(m_editor->model()->cellText(ch, column), shown);
    if (column == Col::RxTone) {
        for (int ch = 4; ch <= 6; ++ch)
            QCOMPARE(m_editor->model()->cellText(ch, Col::TxTone), shown);
    }
    // Channels outside the selection are untouched.
    QCOMPARE(TestSupport::image().rows(0, 4), before.left(4 * MemoryImage::Columns));
    checkOneUndoStep(before, steps);
}

void TestChannelEditing::printedListInThePdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QFAIL("pdftotext is missing: scripts/setup.sh installs poppler-utils");
    QString layout;
    for (int i = 0; i < 150; ++i)
        layout += QChar('A' + i % 26);
    lay(0, layout);
    RadioIdentity radio;
    radio.limits = BandLimits::startup();
    radio.modelName = QStringLiteral("OR-78V");
    radio.number = QStringLiteral("ORV123456789ABCD");
    emit LinkNotices::instance().identified(radio);

    Language::setChinese(true);
    ChannelEditor chinese;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("channels.pdf"));
    QVERIFY(chinese.exportPdf(pdf));
    emit LinkNotices::instance().portChosen();

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    const int pages = int(out.count(QLatin1Char('\f')));
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    QCOMPARE(int(out.count(date)), pages);
    QCOMPARE(int(out.count(QStringLiteral("ORV123--456789--ABCD"))), pages);
    QCOMPARE(int(out.count(QStringLiteral("接收频率(MHZ)"))), pages);
    // The last page counts them all (the glyph of 页 comes back as a radical).
    QVERIFY(out.contains(QStringLiteral("第 %1/%1 ").arg(pages)));
    // Every channel once, empty ones not at all.
    QCOMPARE(int(out.count(QStringLiteral("140.00000"))), 2 * 6); // A: channels 0, 26, ... 130, both frequencies
    QVERIFY(out.contains(QStringLiteral("149 ")));
    QVERIFY(!out.contains(QStringLiteral("\n150 ")));
}

QTEST_MAIN(TestChannelEditing)
#include "tst_channelediting.moc"
