#include "files/backups.h"
#include "files/datafile.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/radioidentity.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using Kind = RadioHistory::Kind;

namespace {

RadioIdentity radio(const QString &number = QStringLiteral("ORV123456789ABCD"))
{
    RadioIdentity id;
    id.number = number;
    id.modelName = QStringLiteral("OR-78V");
    return id;
}

const QDateTime T0(QDate(2026, 12, 10), QTime(10, 45, 0), Qt::UTC);

} // namespace

class TestRadioHistory : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void namesRecordTimeKindAndModel_data();
    void namesRecordTimeKindAndModel();
    void equalSnapshotsAreKeptOnceAndTheNewestIsTheBaseline();
    void aWriteKnowsOnlyTheRowsItSent();
    void aSnapshotThatCannotBeWrittenLeavesNoBaseline();

private:
    std::unique_ptr<QTemporaryDir> m_data;
};

void TestRadioHistory::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
}

void TestRadioHistory::cleanup()
{
    qunsetenv("XDG_DATA_HOME");
    m_data.reset();
}

void TestRadioHistory::namesRecordTimeKindAndModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ours");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("model");
    QTest::newRow("backup") << "20261210-104500.dat" << true << 1 << int(Kind::BeforeWrite) << "";
    QTest::newRow("second backup") << "20261210-104500-2.dat" << true << 2 << int(Kind::BeforeWrite) << "";
    QTest::newRow("read") << "20261210-104500-3.read.OR-78V.dat" << true << 3 << int(Kind::Read) << "OR-78V";
    QTest::newRow("written") << "20261210-104500.written.OR-78V.dat" << true << 1 << int(Kind::Written) << "OR-78V";
    QTest::newRow("before, no model") << "20261210-104500.before.dat" << true << 1 << int(Kind::BeforeWrite) << "";
    QTest::newRow("unknown kind") << "20261210-104500.copied.OR-78V.dat" << false << 0 << 0 << "";
    QTest::newRow("sequence 1 spelt out") << "20261210-104500-1.dat" << false << 0 << 0 << "";
    QTest::newRow("user's file") << "plan.dat" << false << 0 << 0 << "";
    QTest::newRow("not a data file") << "20261210-104500.read.OR-78V.txt" << false << 0 << 0 << "";
}

void TestRadioHistory::namesRecordTimeKindAndModel()
{
    QFETCH(QString, name);
    QFETCH(bool, ours);
    QDateTime taken;
    int sequence = 0;
    Kind kind = Kind::Read;
    QString model;
    QCOMPARE(RadioHistory::parseName(name, taken, sequence, kind, model), ours);
    if (!ours)
        return;
    QCOMPARE(taken, T0);
    QTEST(sequence, "sequence");
    QTEST(int(kind), "kind");
    QTEST(model, "model");
}

void TestRadioHistory::equalSnapshotsAreKeptOnceAndTheNewestIsTheBaseline()
{
    MemoryImage a, b;
    b.setCell(5, 3, 0x42);
    QSignalSpy kept(&RadioHistory::notifier(), &RadioHistory::Notifier::snapshotKept);
    const auto first = RadioHistory::record(a, radio(), Kind::Read, Area::BulkReadRows, T0);
    QVERIFY(first.result.ok && first.added);
    // The same bytes again, of any kind, add nothing and name the one that holds them.
    const auto again = RadioHistory::record(a, radio(), Kind::BeforeWrite, Area::BulkReadRows, T0);
    QVERIFY(again.result.ok && !again.added);
    QCOMPARE(again.path, first.path);
    // Within the same second the later one still sorts first.
    const auto written = RadioHistory::record(b, radio(), Kind::Written, Area::BulkReadRows, T0);
    QVERIFY(written.added);
    QCOMPARE(kept.count(), 2);
    const QString dir = Backups::folder() + QStringLiteral("/ORV123456789ABCD/");
    QCOMPARE(first.path, dir + QStringLiteral("20261210-104500.read.OR-78V.dat"));
    QCOMPARE(written.path, dir + QStringLiteral("20261210-104500-2.written.OR-78V.dat"));

    const QVector<RadioHistory::Snapshot> all = RadioHistory::snapshots(QStringLiteral("ORV123456789ABCD"));
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).kind, Kind::Written);
    QCOMPARE(all.at(1).kind, Kind::Read);
    QCOMPARE(all.at(0).model, QStringLiteral("OR-78V"));
    QCOMPARE(RadioHistory::baseline(QStringLiteral("ORV123456789ABCD")).path, written.path);
    QCOMPARE(RadioHistory::radios(), QStringList{QStringLiteral("ORV123456789ABCD")});
    MemoryImage loaded;
    QVERIFY(RadioHistory::load(all.at(0), loaded).ok);
    QVERIFY(loaded == b);
    // A restore is offered what the radio held, not what was written to it.
    QCOMPARE(Backups::list().size(), 1);
    QCOMPARE(Backups::list().first().path, first.path);
    QVERIFY(!RadioHistory::baseline(QStringLiteral("ORV000000000000A")).isValid());

    // A damaged file loads as nothing and leaves the image alone.
    QFile damaged(written.path);
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a data file\n");
    damaged.close();
    MemoryImage untouched(a);
    QVERIFY(!RadioHistory::load(all.at(0), untouched).ok);
    QVERIFY(untouched == a);
}

void TestRadioHistory::aWriteKnowsOnlyTheRowsItSent()
{
    MemoryImage read;
    read.fill(Area::ReadOnlyTail.firstRow, Area::ReadOnlyTail.lastRow, 0x11);
    RadioHistory::record(read, radio(), Kind::Read, Area::BulkReadRows, T0);
    MemoryImage plan;
    plan.setCell(0, 0, 0x00);
    plan.fill(Area::ReadOnlyTail.firstRow, Area::ReadOnlyTail.lastRow, 0x22);
    const auto written = RadioHistory::record(plan, radio(), Kind::Written, Area::BulkWriteRows, T0.addSecs(1));
    MemoryImage loaded;
    QVERIFY(DataFile::load(loaded, written.path).ok);
    QCOMPARE(loaded.cell(0, 0), uint8_t(0x00));
    // The tail the write never sent is the radio's, as last read.
    QCOMPARE(loaded.cell(Area::ReadOnlyTail.firstRow, 0), uint8_t(0x11));
}

void TestRadioHistory::aSnapshotThatCannotBeWrittenLeavesNoBaseline()
{
    MemoryImage a, b;
    b.setCell(1, 1, 0x01);
    QVERIFY(RadioHistory::record(a, radio(), Kind::Read, Area::BulkReadRows, T0).added);
    // A file where the history's folder should be: nothing can be written below it, even as root.
    const QString root = Backups::folder();
    QVERIFY(QDir().rename(root, root + QStringLiteral(".moved")));
    QFile blocker(root);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSignalSpy failed(&RadioHistory::notifier(), &RadioHistory::Notifier::failed);
    const auto refused = RadioHistory::record(b, radio(), Kind::Written, Area::BulkReadRows, T0.addSecs(1));
    QVERIFY(!refused.result.ok);
    QVERIFY(refused.path.isEmpty());
    QCOMPARE(failed.count(), 1);
    QVERIFY2(failed.first().at(0).toString().startsWith(QStringLiteral("The radio history could not keep what radio "
                                                                         "ORV123456789ABCD holds: Cannot create")),
             qPrintable(failed.first().at(0).toString()));
    QCOMPARE(RadioHistory::lastFailure(false), failed.first().at(0).toString());
    QVERIFY(QFile::remove(root));
    QVERIFY(QDir().rename(root + QStringLiteral(".moved"), root));
    // No partial file, and the older snapshot is no baseline any more: the radio holds more.
    QCOMPARE(RadioHistory::snapshots(QStringLiteral("ORV123456789ABCD")).size(), 1);
    QVERIFY(!RadioHistory::baseline(QStringLiteral("ORV123456789ABCD")).isValid());
    QVERIFY(RadioHistory::record(b, radio(), Kind::Read, Area::BulkReadRows, T0.addSecs(2)).added);
    QVERIFY(RadioHistory::baseline(QStringLiteral("ORV123456789ABCD")).isValid());
}

QTEST_APPLESS_MAIN(TestRadioHistory)
#include "tst_radiohistory.moc"
