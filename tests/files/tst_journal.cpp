// The run's journal: what a kill, a torn record, a snapshot or damage leaves recoverable,
// another format refused whole, and the lock that keeps a live run's journal.

#include "cli/commandline.h"
#include "files/datafile.h"
#include "files/journal.h"
#include "files/journalformat.h"
#include "files/journalstore.h"
#include "image/document.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

bool sameContents(const Document::Contents &a, const Document::Contents &b)
{
    return a.image == b.image && a.alignment == b.alignment && a.fiveToneDecode == b.fiveToneDecode
        && a.origin == b.origin;
}

void setCell(Document &document, int address, int value)
{
    document.applyToImage({QStringLiteral("cell %1").arg(address), QStringLiteral("单元 %1").arg(address)},
                          [=](MemoryImage &image) {
                              image.setAt(address, uint8_t(value));
                              return true;
                          });
}

// Ten steps of every kind a document takes; `states` receives the contents after each.
void takeSteps(Document &document, QVector<Document::Contents> &states)
{
    auto keep = [&] { states.append(document.contents()); };
    setCell(document, 0x10, 0x12);
    keep();
    document.apply({QStringLiteral("alignment"), QStringLiteral("调整")}, [](Document::Contents &c) {
        c.alignment[7] = char(0x42);
        return true;
    });
    keep();
    document.apply({QStringLiteral("decode table"), QStringLiteral("解码表")}, [](Document::Contents &c) {
        c.fiveToneDecode = QByteArray("\x01\x02\x03", 3);
        return true;
    });
    keep();
    document.apply({QStringLiteral("read"), QStringLiteral("读取")}, [](Document::Contents &c) {
        for (int a = 0; a < 0x3140; a += 3)
            c.image.setAt(a, uint8_t(a));
        c.origin = "ORV0000000000007";
        return true;
    });
    keep();
    document.undo();
    keep();
    document.redo();
    keep();
    document.adoptOrigin(QStringLiteral("ORV0000000000008"));
    keep();
    setCell(document, 0x20, 0x34);
    keep();
    document.undo();
    keep();
    setCell(document, 0x3FFF, 0x01);
    keep();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Offsets of every record in a journal, and the end.
QVector<qsizetype> recordStarts(const QByteArray &bytes)
{
    QVector<qsizetype> starts;
    qsizetype at = JournalFormat::HeaderSize;
    while (at + JournalFormat::FrameSize <= bytes.size()) {
        starts.append(at);
        at += JournalFormat::FrameSize + qFromLittleEndian<quint32>(bytes.constData() + at);
    }
    return starts;
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT
private slots:
    void recovery_data();
    void recovery();
    void otherVersionRefused();
    void lockBetweenRuns();
    void commandLineRecovers();
};

using Damage = std::function<void(QByteArray &)>;
Q_DECLARE_METATYPE(Damage)

void TestJournal::recovery_data()
{
    QTest::addColumn<int>("stepsPerSnapshot");
    QTest::addColumn<bool>("killed");
    QTest::addColumn<Damage>("damage");
    // The step whose state is recovered (1-based; 0 is the start), and what is counted.
    QTest::addColumn<int>("recoveredStep");
    QTest::addColumn<int>("torn");
    QTest::addColumn<int>("unreadable");

    const Damage none = [](QByteArray &) {};
    QTest::newRow("ended normally") << 1000 << false << none << 10 << 0 << 0;
    QTest::newRow("killed") << 1000 << true << none << 10 << 0 << 0;
    QTest::newRow("torn last record") << 1000 << true << Damage([](QByteArray &b) { b.chop(5); }) << 9 << 1 << 0;
    QTest::newRow("torn in its length") << 1000 << true << Damage([](QByteArray &b) {
        b.truncate(recordStarts(b).last() + 3);
    }) << 9 << 1 << 0;
    QTest::newRow("last record garbled") << 1000 << true << Damage([](QByteArray &b) { b[b.size() - 2] ^= 0x55; })
                                         << 9 << 1 << 0;
    // Snapshots after every third step: the file holds the last one and what followed.
    QTest::newRow("snapshot in the middle") << 3 << true << none << 10 << 0 << 0;
    QTest::newRow("snapshot in the middle, torn") << 3 << true << Damage([](QByteArray &b) { b.chop(1); }) << 9 << 1
                                                  << 0;
    // Damage before the end: what comes before it is recovered, the rest is counted.
    QTest::newRow("damaged step") << 1000 << true << Damage([](QByteArray &b) {
        const QVector<qsizetype> starts = recordStarts(b);
        b[starts.at(2 + 7) + JournalFormat::FrameSize + 3] ^= 0x01; // the eighth step
    }) << 7 << 0 << 3;
}

void TestJournal::recovery()
{
    QFETCH(int, stepsPerSnapshot);
    QFETCH(bool, killed);
    QFETCH(Damage, damage);
    QFETCH(int, recoveredStep);
    QFETCH(int, torn);
    QFETCH(int, unreadable);

    QTemporaryDir folder;
    Document document;
    document.initialise([](Document::Contents &c) {
        c.image.setAt(5, 5);
        return true;
    });
    QVector<Document::Contents> states{document.contents()};
    QString path;
    {
        Journal journal(document, {stepsPerSnapshot, 1 << 20});
        QVERIFY(journal.start(folder.path()));
        path = journal.path();
        takeSteps(document, states);
        QCOMPARE(journal.steps(), 10);
        if (stepsPerSnapshot < 10)
            QCOMPARE(journal.snapshotsTaken(), 1 + 10 / stepsPerSnapshot);
        if (killed) {
            // What a kill leaves: every record written, no end record.
            QByteArray bytes = readAll(path);
            damage(bytes);
            journal.flush();
            QTemporaryDir copy;
            const QString copied = copy.filePath(QStringLiteral("run.journal"));
            writeAll(copied, bytes);
            const JournalStore::Run run = JournalStore::read(copied);
            QVERIFY2(run.readable, qPrintable(run.refusal.message(false)));
            QVERIFY(!run.endedNormally);
            QVERIFY(sameContents(run.state, states.at(recoveredStep)));
            QCOMPARE(run.steps, recoveredStep);
            QCOMPARE(run.tornRecords, torn);
            QCOMPARE(run.unreadableSteps, unreadable);
            QVERIFY(!run.lastLabels.isEmpty());
            return;
        }
    }
    const JournalStore::Run run = JournalStore::read(path);
    QVERIFY(run.readable);
    QVERIFY(run.endedNormally);
    QVERIFY(!run.live);
    QVERIFY(sameContents(run.state, states.at(recoveredStep)));
    QCOMPARE(run.origin(), QStringLiteral("ORV0000000000008"));
    QCOMPARE(run.steps, 10);
    QCOMPARE(run.lastLabels.size(), 5);
    QCOMPARE(run.lastLabels.at(3).en, QStringLiteral("Undo cell 32"));
    QCOMPARE(run.lastLabels.at(3).zh, QStringLiteral("撤销 单元 32"));
    QCOMPARE(run.lastLabels.at(2).en, QStringLiteral("cell 32"));
    QVERIFY(run.lastStep.isValid() && run.started.isValid() && run.started <= run.lastStep);
}

void TestJournal::otherVersionRefused()
{
    QTemporaryDir folder;
    Document document;
    QString path;
    {
        Journal journal(document);
        QVERIFY(journal.start(folder.path()));
        path = journal.path();
        setCell(document, 1, 1);
    }
    QByteArray bytes = readAll(path);
    qToLittleEndian<quint32>(JournalFormat::Version + 1, bytes.data() + 8);
    writeAll(path, bytes);
    const JournalStore::Run run = JournalStore::read(path);
    QVERIFY(!run.readable);
    QVERIFY(run.state.image == MemoryImage());
    QCOMPARE(run.steps, 0);
    QVERIFY2(run.refusal.message(false).contains(QStringLiteral("another version of the program (journal format 2")),
             qPrintable(run.refusal.message(false)));
    QVERIFY(run.refusal.message(true).contains(QStringLiteral("另一版本的程序")));
}

void TestJournal::lockBetweenRuns()
{
    QTemporaryDir folder;
    Document first;
    Document second;
    auto oneRun = std::make_unique<Journal>(first);
    Journal other(second);
    QVERIFY(oneRun->start(folder.path()));
    QTest::qWait(2); // distinct start times
    QVERIFY(other.start(folder.path()));
    QVERIFY(oneRun->path() != other.path());
    setCell(first, 3, 3);
    QCOMPARE(JournalStore::paths(folder.path()), (QStringList{other.path(), oneRun->path()}));

    // Alive: neither deleted nor pruned, and each sees the other as running.
    QVERIFY(JournalStore::isLive(oneRun->path()));
    const FileResult refused = JournalStore::remove(oneRun->path());
    QVERIFY(!refused.ok);
    QVERIFY(refused.message(false).contains(QStringLiteral("still running")));
    JournalStore::prune(folder.path(), 0);
    QCOMPARE(JournalStore::paths(folder.path()).size(), 2);
    QVERIFY(JournalStore::list(folder.path(), other.path()).first().live);

    // Ended: its journal is kept, no longer live, and goes when asked or when too old.
    const QString ended = oneRun->path();
    oneRun.reset();
    QVERIFY(!JournalStore::isLive(ended));
    QVERIFY(JournalStore::read(ended).endedNormally);
    JournalStore::prune(folder.path(), 1);
    QCOMPARE(JournalStore::paths(folder.path()), QStringList{other.path()});

    // A run that took no step leaves nothing behind.
    const QString empty = other.path();
    other.finish();
    QVERIFY(!QFile::exists(empty));
}

void TestJournal::commandLineRecovers()
{
    QTemporaryDir state;
    const QByteArray oldState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    Document document;
    QString good;
    QString other;
    {
        Journal journal(document);
        QVERIFY(journal.start());
        good = journal.path();
        setCell(document, 0x30, 0x56);
        document.adoptOrigin(QStringLiteral("ORV0000000000031"));
    }
    QTest::qWait(2);
    {
        Journal journal(document);
        QVERIFY(journal.start());
        other = journal.path();
        setCell(document, 0x31, 0x57);
    }
    QByteArray bytes = readAll(other);
    qToLittleEndian<quint32>(7, bytes.data() + 8);
    writeAll(other, bytes);

    auto run = [](const QStringList &args, QString &out, QString &err) {
        QTextStream o(&out);
        QTextStream e(&err);
        return CommandLine(o, e, false).run(args);
    };
    QString out, err;
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("--list")}, out, err), int(CommandLine::Done));
    const QStringList lines = out.split(QLatin1Char('\n'));
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("1  started ")) && lines.at(0).contains(QStringLiteral("another version")),
             qPrintable(out));
    QVERIFY2(lines.at(2).startsWith(QStringLiteral("2  started ")) && lines.at(2).contains(QStringLiteral("2 steps"))
                 && lines.at(2).contains(QStringLiteral("radio ORV0000000000031"))
                 && lines.at(2).contains(QStringLiteral("ended normally")),
             qPrintable(out));
    QCOMPARE(lines.at(3), QStringLiteral("     last: Data origin; cell 48"));

    QTemporaryDir target;
    const QString written = target.filePath(QStringLiteral("out.dat"));
    out.clear();
    err.clear();
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("2"), QStringLiteral("-o"), written}, out, err),
             int(CommandLine::Done));
    MemoryImage recovered;
    QVERIFY(DataFile::load(recovered, written).ok);
    QCOMPARE(recovered.at(0x30), uint8_t(0x56));
    QCOMPARE(recovered.at(0x31), MemoryImage().at(0x31));

    // Another format: refused, nothing written; a number beyond the list: a usage error.
    const QString refused = target.filePath(QStringLiteral("refused.dat"));
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("1"), QStringLiteral("-o"), refused}, out, err),
             int(CommandLine::BadFile));
    QVERIFY(err.contains(QStringLiteral("another version")));
    QVERIFY(!QFile::exists(refused));
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("3"), QStringLiteral("-o"), refused}, out, err),
             int(CommandLine::Usage));

    // One step is said as one.
    QTest::qWait(2);
    {
        Journal journal(document);
        QVERIFY(journal.start());
        setCell(document, 0x32, 0x58);
    }
    out.clear();
    err.clear();
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("--list")}, out, err), int(CommandLine::Done));
    QVERIFY2(out.section(QLatin1Char('\n'), 0, 0).contains(QStringLiteral("  1 step  ")), qPrintable(out));
    QCOMPARE(run({QStringLiteral("recover"), QStringLiteral("1"), QStringLiteral("-o"), written}, out, err),
             int(CommandLine::Done));
    QVERIFY2(err.startsWith(QStringLiteral("recovered 1 step of the run started ")), qPrintable(err));
    qputenv("XDG_STATE_HOME", oldState);
}

QTEST_APPLESS_MAIN(TestJournal)
#include "tst_journal.moc"
