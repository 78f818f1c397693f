// The whole job as a user does it, through the main window and against the virtual radio:
// read from radio, edit a channel in the grid, save a data file, load it back, write to radio.

#include "support/radiofixture.h"
#include "support/testsupport.h"

#include "channels/channeleditor.h"
#include "channels/channelgridmodel.h"
#include "channels/channelrecord.h"
#include "files/filewindow.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/identificationexchange.h"
#include "link/readwindow.h"
#include "link/writewindow.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "texts/language.h"
#include "shell/mainwindow.h"
#include "signalling/fivetonestandards.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::press;
using TestSupport::visibleCellEditor;

class TestFullCycle : public QObject
{
    Q_OBJECT
private slots:
    void readEditSaveLoadWrite();
};

void TestFullCycle::readEditSaveLoadWrite()
{
    TestSupport::resetState();
    TestSupport::TemporaryHome home;
    TestSupport::ScaledTimers fast(TestSupport::FastTimers);
    Screen::overrideSizeTwips(QSize(1400 * 15, 900 * 15));
    RadioOnCom radio(1);
    QVERIFY(radio.ok());

    // The radio holds valid channels (the defaults with a few names) and arbitrary bytes
    // everywhere else, so every carried range is recognisable.
    radio.fillPattern();
    MemoryImage channels;
    defaultChannels(channels);
    ChannelRecord(channels, 0).setName(QStringLiteral("BASE"));
    const QByteArray channelRows = channels.rows(Area::Channels.firstRow, Area::Channels.rowCount());
    radio.radio().setMemory(0, std::vector<uint8_t>(channelRows.begin(), channelRows.end()));
    const QByteArray nameRows = channels.rows(Area::ChannelNames.firstRow, Area::ChannelNames.rowCount());
    radio.radio().setMemory(Area::ChannelNames.firstAddress(), std::vector<uint8_t>(nameRows.begin(), nameRows.end()));
    const QByteArray radioBefore = radio.memory(0, 0x4000);

    MainWindow main;
    main.startUp();
    // The start-up scan finds the radio behind COM1 and the identification fills the panels.
    QSignalSpy identified(&main.identification()->engine(), &ExchangeEngine::finished);
    QVERIFY(identified.wait(20000));
    QCOMPARE(main.statusPanel(8)->text(), QStringLiteral("136--174 MHZ"));
    QCOMPARE(main.statusPanel(10)->text(), QStringLiteral("400--480 MHZ"));
    QVERIFY(MessageBox::takeRecordedTexts().isEmpty());

    // 1. Read from radio.
    main.menuAction(QStringLiteral("Prog_read"))->trigger();
    auto *read = qobject_cast<ReadWindow *>(main.child(QStringLiteral("Form_Comm_Read")));
    QVERIFY(read);
    QSignalSpy readDone(&read->engine(), &ExchangeEngine::finished);
    press(read, "Command_read");
    QVERIFY(readDone.wait(60000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete reading data from the transceiver."}));
    QCOMPARE(TestSupport::image().rows(0, Area::BulkReadRows.rowCount()),
             radioBefore.left(Area::BulkReadRows.byteCount()));

    // 2. Edit channel 8 in the grid.
    main.menuAction(QStringLiteral("chann_edit"))->trigger();
    auto *editor = qobject_cast<ChannelEditor *>(main.child(QStringLiteral("frm_chann")));
    QVERIFY(editor);
    QTableView *grid = editor->grid();
    grid->setCurrentIndex(grid->model()->index(8, ChannelGridModel::RxFrequency));
    auto *box = qobject_cast<QLineEdit *>(visibleCellEditor(grid, "Text_Edit"));
    QVERIFY(box);
    QTest::keyClicks(box, QStringLiteral("146.52"));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(editor->model()->cellText(8, ChannelGridModel::RxFrequency), QStringLiteral("146.52000"));
    QCOMPARE(TestSupport::image().rows(8, 1).left(4), QByteArray("\x00\x20\x65\x14", 4));
    const QByteArray edited = TestSupport::image().rows(0, MemoryImage::Rows);

    // 3. Save a data file.
    QTemporaryDir folder;
    main.menuAction(QStringLiteral("File_save"))->trigger();
    auto *save = qobject_cast<FileWindow *>(main.child(QStringLiteral("Form_save_chann")));
    QVERIFY(save);
    save->setFolder(folder.path());
    save->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("cycle.dat"));
    press(save, "Command_enter");
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete storing  parameter."}));

    // 4. Lose the edit, then load the file back; the grid shows it again when activated.
    TestSupport::image().fill(0, MemoryImage::Rows - 1, 0x00);
    main.menuAction(QStringLiteral("File_Open"))->trigger();
    auto *open = qobject_cast<FileWindow *>(main.child(QStringLiteral("Form_open_chann")));
    QVERIFY(open);
    open->setFolder(folder.path());
    open->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("cycle.dat"));
    press(open, "Command_enter");
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Succeed fold the parameter from file."}));
    QCOMPARE(TestSupport::image().rows(0, MemoryImage::Rows), edited);
    main.menuAction(QStringLiteral("chann_edit"))->trigger();
    QCOMPARE(editor->model()->cellText(8, ChannelGridModel::RxFrequency), QStringLiteral("146.52000"));

    // 5. Write to radio.
    main.menuAction(QStringLiteral("Prog_write"))->trigger();
    auto *write = qobject_cast<WriteWindow *>(main.child(QStringLiteral("Form_Comm_Write")));
    QVERIFY(write);
    radio.radio().resetCounters();
    QSignalSpy writeDone(&write->engine(), &ExchangeEngine::finished);
    press(write, "Command_write");
    QVERIFY(writeDone.wait(90000));
    QCOMPARE(MessageBox::takeRecordedTexts(), QStringList({"Complete writing the data to transceiver."}));

    const QByteArray after = radio.memory(0, 0x4000);
    MemoryImage expected;
    expected.setRows(0, edited);
    FiveToneStandards::writeTables(expected);
    QCOMPARE(after.left(Area::BulkWriteRows.byteCount()), expected.rows(0, Area::BulkWriteFrames));
    QCOMPARE(after.mid(8 * 16, 4), QByteArray("\x00\x20\x65\x14", 4));
    for (const Area::Range &r : {Area::Unassigned1, Area::OptionsTail, Area::Unassigned2, Area::Unassigned3,
                                 Area::Unassigned4, Area::ReadOnlyTail})
        QCOMPARE(after.mid(r.firstAddress(), r.byteCount()), radioBefore.mid(r.firstAddress(), r.byteCount()));
    const std::vector<int> addresses = radio.radio().writtenAddresses();
    QCOMPARE(int(addresses.size()), Area::BulkWriteFrames);
    QCOMPARE(*std::max_element(addresses.begin(), addresses.end()), Area::Fm.lastAddress() - 15);
    QCOMPARE(after.mid(0x2000, 1) + after.mid(0x2100, 1), QByteArray("\xBD\x07", 2));

    Screen::clearOverride();
    TestSupport::endState();
}

QTEST_MAIN(TestFullCycle)
#include "tst_fullcycle.moc"
