#include "image/areamap.h"
#include "image/document.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"
#include "link/receiveslots.h"
#include "shell/imageinitialisation.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

class TestMemoryImage : public QObject
{
    Q_OBJECT
private slots:
    void addressFunctionsAtAreaBorders_data();
    void addressFunctionsAtAreaBorders();
    void areasTileTheTransferredRows();
    void fillAndRowsTouchOnlyTheirRows();
    void initialisationErasesWhatNoDefaultsClaim();
    void receiveSlotsNeverReadPastTheReply();
    void receiveSlotsTakeTheHeaderThatEchoesTheRequest_data();
    void receiveSlotsTakeTheHeaderThatEchoesTheRequest();
    void comparisonNamesTableFieldsAndShowsTheRestInHex();
    void documentStepsRestoreExactBytes_data();
    void documentStepsRestoreExactBytes();
    void documentKeepsOnlyWhatChanged();
};

void TestMemoryImage::addressFunctionsAtAreaBorders_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("first channel") << 0x0000 << 0 << 0;
    QTest::newRow("last channel byte") << 0x0C7F << 199 << 15;
    QTest::newRow("unassigned after channels") << 0x0C80 << 200 << 0;
    QTest::newRow("options") << 0x0E00 << 224 << 0;
    QTest::newRow("band B record") << 0x0F20 << 242 << 0;
    QTest::newRow("last names byte") << 0x1C7F << 455 << 15;
    QTest::newRow("5-tone standards") << 0x2000 << 512 << 0;
    QTest::newRow("dtmf") << 0x2900 << 656 << 0;
    QTest::newRow("2-tone end") << 0x2FFF << 767 << 15;
    QTest::newRow("fm") << 0x3000 << 768 << 0;
    QTest::newRow("last written") << 0x30FF << 783 << 15;
    QTest::newRow("read-only tail end") << 0x313F << 787 << 15;
    QTest::newRow("last image byte") << 0x400F << 1024 << 15;
}

void TestMemoryImage::addressFunctionsAtAreaBorders()
{
    QFETCH(int, address);
    QFETCH(int, row);
    QFETCH(int, column);
    QCOMPARE(MemoryImage::rowOf(address), row);
    QCOMPARE(MemoryImage::columnOf(address), column);
    QCOMPARE(MemoryImage::addressOf(row, column), address);

    MemoryImage image;
    image.setAt(address, 0x5A);
    QCOMPARE(int(image.cell(row, column)), 0x5A);
    image.setCell(row, column, 0x00);
    QCOMPARE(int(image.at(address)), 0x00);
}

void TestMemoryImage::areasTileTheTransferredRows()
{
    // The areas must cover rows 0..1024 without gap or overlap, or some bytes would be
    // claimed twice or by nobody.
    const Area::Range order[] = {Area::Channels,     Area::Unassigned1, Area::Options,     Area::BandRecords,
                                 Area::OptionsTail,  Area::ChannelNames, Area::Unassigned2, Area::FiveToneStandards,
                                 Area::FiveToneCodes, Area::Unassigned3, Area::Dtmf,        Area::Unassigned4,
                                 Area::TwoTone,      Area::Fm,          Area::ReadOnlyTail, Area::FileOnly};
    int next = 0;
    for (const Area::Range &r : order) {
        QCOMPARE(r.firstRow, next);
        QVERIFY(r.lastRow >= r.firstRow);
        next = r.lastRow + 1;
    }
    QCOMPARE(next, MemoryImage::Rows);
    QCOMPARE(Area::BulkReadRows.lastRow, Area::ReadOnlyTail.lastRow);
    QCOMPARE(Area::BulkWriteRows.lastRow, Area::Fm.lastRow);
}

void TestMemoryImage::fillAndRowsTouchOnlyTheirRows()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x11);
    image.fill(200, 223, 0xFF);
    QCOMPARE(int(image.cell(199, 15)), 0x11);
    QCOMPARE(int(image.cell(200, 0)), 0xFF);
    QCOMPARE(int(image.cell(223, 15)), 0xFF);
    QCOMPARE(int(image.cell(224, 0)), 0x11);

    QByteArray bytes(32, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i);
    image.setRows(1023, bytes);
    QCOMPARE(image.rows(1023, 2), bytes);
    QCOMPARE(int(image.cell(1022, 15)), 0x11);
    QCOMPARE(image.row(1024).at(15), char(31));
}

void TestMemoryImage::initialisationErasesWhatNoDefaultsClaim()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0x00);
    initialiseMemoryImage(image);
    // Rows no area defaults ever write: a fresh start must leave them erased.
    const Area::Range erased[] = {Area::Unassigned1, Area::Unassigned2, Area::Unassigned3, Area::Unassigned4,
                                  Area::ReadOnlyTail, Area::FileOnly, Area::ChannelNames};
    for (const Area::Range &r : erased) {
        for (int row = r.firstRow; row <= r.lastRow; ++row) {
            for (int c = 0; c < MemoryImage::Columns; ++c)
                QVERIFY2(image.cell(row, c) == 0xFF, qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(c)));
        }
    }
    // The channel defaults must come after every other area's.
    QCOMPARE(QString::fromLatin1(imageInitialisationSteps().front().name), QStringLiteral("erase"));
    QCOMPARE(QString::fromLatin1(imageInitialisationSteps().back().name), QStringLiteral("channels"));
}

void TestMemoryImage::receiveSlotsNeverReadPastTheReply()
{
    ReceiveSlots received;
    QByteArray reply(69, '\0');
    reply[0] = 'X';
    for (int i = 0; i < 64; ++i)
        reply[4 + i] = char(i + 1);
    received.store(1, reply);
    QCOMPARE(received.dataOffset(1), 4);
    QCOMPARE(int(uchar(received.data(1).at(0))), 1);

    QByteArray stray = QByteArray(1, char(0x33)) + reply.left(68);
    received.store(2, stray);
    QCOMPARE(received.dataOffset(2), 5);
    QCOMPARE(received.data(2), reply.mid(4, 64));

    QByteArray late = QByteArray(2, char(0x33)) + reply.left(67);
    received.store(3, late);
    QCOMPARE(received.dataOffset(3), -1);
    QVERIFY(received.data(3).isEmpty());

    // No "X" at all: the data are taken from byte 4.
    QByteArray none(69, char(0x22));
    received.store(4, none);
    QCOMPARE(received.dataOffset(4), 4);
}

void TestMemoryImage::receiveSlotsTakeTheHeaderThatEchoesTheRequest_data()
{
    QTest::addColumn<QByteArray>("front");
    QTest::addColumn<int>("echoedAddress");
    QTest::addColumn<int>("requestedAddress");
    QTest::addColumn<int>("offset");
    // Found by the soak: line noise that happened to be an "X" in front of a reply was
    // taken for its header, and a read that "succeeded" shifted every byte by one.
    QTest::newRow("noise X in front") << QByteArray("X") << 0x0100 << 0x0100 << 5;
    QTest::newRow("noise X, address low byte 0x40") << QByteArray("X") << 0x0040 << 0x0040 << 5;
    QTest::newRow("two noise bytes with an X: data would run past") << QByteArray("X\x33") << 0x0100 << 0x0100 << -1;
    QTest::newRow("no noise") << QByteArray() << 0x0100 << 0x0100 << 4;
    // A radio that echoes something else keeps the first-"X" rule, as does a caller that
    // does not say which address it asked for.
    QTest::newRow("echo differs: first X") << QByteArray("X") << 0x0200 << 0x0100 << 4;
    QTest::newRow("address not known: first X") << QByteArray("X") << 0x0100 << -1 << 4;
}

void TestMemoryImage::receiveSlotsTakeTheHeaderThatEchoesTheRequest()
{
    QFETCH(QByteArray, front);
    QFETCH(int, echoedAddress);
    QFETCH(int, requestedAddress);
    QFETCH(int, offset);
    QByteArray reply;
    reply.append('X').append(char(echoedAddress >> 8)).append(char(echoedAddress)).append(char(0x40));
    for (int i = 0; i < 64; ++i)
        reply.append(char(0x80 + i));
    reply.append('\0');
    ReceiveSlots received;
    received.store(7, (front + reply).left(69), requestedAddress);
    QCOMPARE(received.dataOffset(7), offset);
    if (offset >= 0)
        QCOMPARE(received.data(7), (front + reply).mid(offset, 64));
    if (offset == front.size() + 4)
        QCOMPARE(received.data(7), reply.mid(4, 64));
}

void TestMemoryImage::comparisonNamesTableFieldsAndShowsTheRestInHex()
{
    // An area of 32-byte records with two list fields, as an area model would declare it.
    static constexpr BiText OffOn[] = {{"OFF", "关"}, {"ON", "开"}};
    static constexpr BiText Modes[] = {{"A", "A"}, {"B", "B"}, {"C", "C"}};
    const FieldTable table{{"lamp", 1, 0x01, 0, ListEntries::of(OffOn)},
                           {"mode", 1, 0x30, 4, ListEntries::of(Modes)}};
    const QVector<ImageDiff::AreaFields> areas{ImageDiff::fieldTableArea(Area::BandRecords, 32, table, {"band A", "band B"})};

    MemoryImage before;
    before.fill(0, MemoryImage::Rows - 1, 0x00);
    MemoryImage after(before);
    after.setAt(Area::BandRecords.firstAddress() + 32 + 1, 0x91); // band 1: lamp on, mode B, bit 7 too
    after.setAt(Area::BandRecords.firstAddress() + 5, 0x07);      // band 0: a byte no field names
    after.setAt(Area::Dtmf.firstAddress() + 17, 0xAB);            // no field table: hex
    after.setAt(Area::Options.firstAddress(), 0x01);              // outside the compared rows

    QCOMPARE(ImageDiff::describe(before, after, areas, Area::Range{Area::BandRecords.firstRow, Area::Dtmf.lastRow}),
             QStringList({"band A bytes [5] 00 -> 07", "band B lamp OFF -> ON", "band B mode A -> B",
                          "band B bytes [1] 00 -> 91", "row 657 (0x2910, DTMF): [1] 00 -> AB"}));
    QCOMPARE(ImageDiff::differingRows(before, after), QVector<int>({Area::Options.firstRow, 240, 242, 657}));
    // A field change alone leaves no hex behind.
    after.setAt(Area::BandRecords.firstAddress() + 32 + 1, 0x11);
    QCOMPARE(ImageDiff::describe(before, after, areas, Area::BandRecords).mid(1),
             QStringList({"band B lamp OFF -> ON", "band B mode A -> B"}));
}

void TestMemoryImage::documentStepsRestoreExactBytes_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("bits of a shared byte") << 0;
    QTest::newRow("runs in two areas") << 1;
    QTest::newRow("alignment block") << 2;
    QTest::newRow("decode table grows") << 3;
    QTest::newRow("whole image") << 4;
}

void TestMemoryImage::documentStepsRestoreExactBytes()
{
    QFETCH(int, kind);
    Document doc;
    doc.initialise([](Document::Contents &c) {
        for (int a = 0; a < MemoryImage::Size; ++a)
            c.image.setAt(a, uint8_t(a * 7));
        c.alignment.fill(char(0x5A));
        c.fiveToneDecode = QByteArray("abc");
        return true;
    });
    const Document::Contents before = doc.contents();
    QCOMPARE(doc.history().count(), 0); // the first state is no step

    QSignalSpy changed(&doc, &Document::changed);
    QVERIFY(doc.apply(StepLabel(QStringLiteral("edit"), QStringLiteral("改")), [kind](Document::Contents &c) {
        switch (kind) {
        case 0: c.image.setAt(0x0E05, uint8_t((c.image.at(0x0E05) & 0xF0) | 0x0C)); break;
        case 1:
            c.image.setAt(0x10, 0);
            c.image.setAt(0x11, 1);
            c.image.setAt(0x3000, 2);
            break;
        case 2: c.alignment[0x40] = 0; break;
        case 3: c.fiveToneDecode = QByteArray("abcdef"); break;
        case 4: c.image.fill(0, MemoryImage::Rows - 1, 0xFF); break;
        }
        return true;
    }));
    const Document::Contents after = doc.contents();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(doc.history().count(), 1);
    QCOMPARE(doc.undoLabel(true), QStringLiteral("改"));

    doc.undo();
    QVERIFY(doc.image() == before.image);
    QCOMPARE(doc.alignment(), before.alignment);
    QCOMPARE(doc.fiveToneDecode(), before.fiveToneDecode);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(doc.redoLabel(false), QStringLiteral("edit"));
    doc.redo();
    QVERIFY(doc.image() == after.image);
    QCOMPARE(doc.alignment(), after.alignment);
    QCOMPARE(doc.fiveToneDecode(), after.fiveToneDecode);

    // The announced ranges cover exactly what differs.
    const DocumentRanges ranges = changed.last().at(0).value<DocumentRanges>();
    int bytes = 0;
    for (const DocumentRange &r : ranges)
        bytes += r.part == DocumentRange::Part::Image ? r.count : 0;
    const int expected[] = {1, 3, 0, 0, -1};
    if (expected[kind] >= 0)
        QCOMPARE(bytes, expected[kind]);
}

void TestMemoryImage::documentKeepsOnlyWhatChanged()
{
    Document doc;
    const MemoryImage start = doc.image();
    QSignalSpy changed(&doc, &Document::changed);

    // A refused change leaves every byte and makes no step, however much it wrote.
    QVERIFY(!doc.applyToImage(StepLabel(), [](MemoryImage &image) {
        image.fill(0, 10, 0);
        return false;
    }));
    QVERIFY(doc.image() == start);
    // Writing what is there already is no step either.
    QVERIFY(doc.applyToImage(StepLabel(), [](MemoryImage &image) {
        image.setAt(5, image.at(5));
        return true;
    }));
    QCOMPARE(doc.history().count(), 0);
    QCOMPARE(changed.count(), 0);

    // A change made inside another is part of its step; a refused inner one is undone alone.
    doc.applyToImage(StepLabel(), [&doc](MemoryImage &image) {
        image.setAt(1, 1);
        doc.applyToImage(StepLabel(), [](MemoryImage &inner) {
            inner.setAt(2, 2);
            return true;
        });
        doc.applyToImage(StepLabel(), [](MemoryImage &inner) {
            inner.setAt(3, 3);
            return false;
        });
        return true;
    });
    QCOMPARE(doc.history().count(), 1);
    QCOMPARE(int(doc.image().at(2)), 2);
    QCOMPARE(int(doc.image().at(3)), 0xFF);

    // The keys of one box in a row are one step; typed back to what it was, none.
    for (int v : {0x10, 0x11, 0x12})
        doc.applyToImage(StepLabel(), [v](MemoryImage &image) { image.setAt(100, uint8_t(v)); return true; }, 7);
    QCOMPARE(doc.history().count(), 2);
    doc.applyToImage(StepLabel(), [](MemoryImage &image) { image.setAt(100, 0xFF); return true; }, 7);
    QCOMPARE(doc.history().count(), 1);
    doc.undo();
    QVERIFY(doc.image() == start);

    // A message asked for inside a change waits for its end.
    QStringList order;
    doc.applyToImage(StepLabel(), [&](MemoryImage &image) {
        doc.whenSettled([&] { order << QStringLiteral("message"); });
        image.setAt(9, 9);
        order << QStringLiteral("change");
        return true;
    });
    QCOMPARE(order, QStringList({QStringLiteral("change"), QStringLiteral("message")}));

    // At least a thousand steps back, kept as their differences.
    for (int k = 0; k < 1200; ++k)
        doc.applyToImage(StepLabel(), [k](MemoryImage &image) { image.setAt(k, uint8_t(k % 200 + 20)); return true; });
    int undone = 0;
    while (doc.canUndo()) {
        doc.undo();
        ++undone;
    }
    QCOMPARE(undone, 1201);
    QVERIFY(doc.image() == start);
}

QTEST_APPLESS_MAIN(TestMemoryImage)
#include "tst_memoryimage.moc"
