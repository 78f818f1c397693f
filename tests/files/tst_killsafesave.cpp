// A save killed at any moment leaves on disk either the complete old file or the complete
// new one. The test runs itself again as a child that saves without end, alternating two
// contents, and kills it with SIGKILL at random moments.

#include "files/adjustfile.h"
#include "files/datafile.h"
#include "image/memoryimage.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <thread>

namespace {

constexpr int Kills = 100;

MemoryImage imageOf(quint32 seed)
{
    MemoryImage image;
    QRandomGenerator random(seed);
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(random.bounded(256)));
    return image;
}

AdjustFile::Table tableOf(quint32 seed)
{
    AdjustFile::Table table;
    QRandomGenerator random(seed);
    for (uint8_t &value : table)
        value = uint8_t(random.bounded(256));
    return table;
}

// Content 0 is on disk before the child starts; its saves go 1, 0, 1, 0, ...
FileResult saveContent(const QString &kind, int which, const QString &path)
{
    if (kind == QLatin1String("dat"))
        return DataFile::save(imageOf(which + 1), path);
    return AdjustFile::save(tableOf(which + 1), path);
}

QByteArray contentText(const QString &kind, int which)
{
    if (kind == QLatin1String("dat"))
        return DataFile::format(imageOf(which + 1));
    return AdjustFile::format(tableOf(which + 1));
}

// The child saves until it is killed, and tells the parent of each save that has returned.
int saveForever(const QString &kind, const QString &path)
{
    for (int i = 1;; ++i) {
        if (!saveContent(kind, i % 2, path).ok)
            return 1;
        std::fputc('.', stdout);
        std::fflush(stdout);
    }
}

// Waits until the child has finished `saves` saves, so that the content on disk at that moment
// is known however fast the child runs.
bool waitForSaves(QProcess &child, int saves)
{
    int done = 0;
    while (done < saves) {
        if (child.bytesAvailable() == 0 && !child.waitForReadyRead(10000))
            return false;
        done += int(child.readAll().count('.'));
    }
    return true;
}

} // namespace

class TestKillSafeSave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedSaveLeavesOldOrNew_data();
    void killedSaveLeavesOldOrNew();
};

void TestKillSafeSave::killedSaveLeavesOldOrNew_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("maxDelayUs");
    // A data file takes a few milliseconds to save, an adjust file far less.
    QTest::newRow("data file") << QStringLiteral("dat") << 6000;
    QTest::newRow("adjust file") << QStringLiteral("adj") << 3000;
}

void TestKillSafeSave::killedSaveLeavesOldOrNew()
{
    QFETCH(QString, kind);
    QFETCH(int, maxDelayUs);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("radio.") + kind);
    const QByteArray contents[2] = {contentText(kind, 0), contentText(kind, 1)};
    QVERIFY(saveContent(kind, 0, path).ok);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int seen[2] = {0, 0};
    int leftovers = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-forever"), kind, path});
        QVERIFY2(child.waitForStarted(5000), qPrintable(child.errorString()));
        // The kill lands after a random number of finished saves plus a random delay. On a
        // machine too slow for the delay to span a save, the number's parity still decides
        // which content was last whole, so both turn up.
        QVERIFY(waitForSaves(child, 1 + int(random.bounded(4))));
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(maxDelayUs)));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("kill %1: the file is gone").arg(kill)));
        const QByteArray onDisk = file.readAll();
        const int which = onDisk == contents[0] ? 0 : onDisk == contents[1] ? 1 : -1;
        QVERIFY2(which >= 0, qPrintable(QStringLiteral("kill %1 (seed %2): %3 bytes on disk, neither file")
                                             .arg(kill)
                                             .arg(seed)
                                             .arg(onDisk.size())));
        ++seen[which];
        // A kill between the new file's link and its rename leaves it under a temporary
        // name beside the target; the target itself is whole all the same.
        const QStringList others = QDir(folder.path()).entryList(QDir::Files).filter(QRegularExpression(
            QStringLiteral("^radio\\.%1\\..+").arg(kind)));
        for (const QString &other : others)
            QFile::remove(folder.filePath(other));
        leftovers += int(others.size());
    }
    qInfo("%d kills: old file %d times, new file %d times, %d temporary files left by a kill", Kills, seen[0],
          seen[1], leftovers);
    // Both contents on disk shows that the kills landed between and during saves, not before
    // the first one.
    QVERIFY(seen[0] > 0 && seen[1] > 0);
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--save-forever") == 0)
        return saveForever(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    TestKillSafeSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killsafesave.moc"
