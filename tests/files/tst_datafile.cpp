#include "files/adjustfile.h"
#include "files/adjustfilerequests.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/memoryimage.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void fillRandom(MemoryImage &image, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(random.bounded(256)));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file text with the cell of (row, column) replaced by `token`.
QByteArray withCell(const QByteArray &file, int row, int column, const QByteArray &token)
{
    QList<QByteArray> lines = file.split('\n');
    QList<QByteArray> numbers = lines[row].trimmed().split(' ');
    numbers.removeAll(QByteArray());
    numbers[DataFile::LabelsPerLine + column] = token;
    lines[row] = ' ' + numbers.join("  ") + " \r";
    return lines.join('\n');
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void row17LineByteForByte();
    void saveThenLoadReproducesTheImage();
    void wrongRowLabelsStillLoad();
    void anySeparatorsLoad();
    void badFilesLeaveTheImageAlone_data();
    void badFilesLeaveTheImageAlone();
    void unreadablePathsLeaveTheImageAlone();
    void failedSaveKeepsTheOldFile();
    void saveReplacesAnExistingFile();

    void adjustFileLayoutAndRoundTrip();
    void badAdjustFilesLeaveTheTableAlone();

    void adjustRequestsAreTakenOnce();

private:
    QTemporaryDir m_dir;
};

void TestDataFile::row17LineByteForByte()
{
    MemoryImage image;
    image.fill(0, MemoryImage::Rows - 1, 0);
    image.fill(17, 17, 0xFF);
    const QByteArray text = DataFile::format(image);
    QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 1026); // 1025 lines, each ending in CR LF
    QVERIFY(lines.last().isEmpty());
    QByteArray expected17 = " 1  1  17 ";
    for (int i = 0; i < 16; ++i)
        expected17 += " 255 ";
    expected17 += "\r";
    QCOMPARE(lines.at(17), expected17);
    QCOMPARE(lines.at(0), QByteArray(" 0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 \r"));
    QVERIFY(lines.at(1024).startsWith(" 64  0  1024  0 "));
    QVERIFY(!text.contains("\n\n") && text.count('\r') == 1025);
}

void TestDataFile::saveThenLoadReproducesTheImage()
{
    MemoryImage saved;
    fillRandom(saved, 4);
    const QString path = m_dir.filePath(QStringLiteral("random.dat"));
    const FileResult save = DataFile::save(saved, path);
    QVERIFY2(save.ok, qPrintable(save.messageEn));

    MemoryImage loaded;
    loaded.fill(0, MemoryImage::Rows - 1, 0x33);
    const FileResult load = DataFile::load(loaded, path);
    QVERIFY2(load.ok, qPrintable(load.messageEn));
    QCOMPARE(loaded.rows(Area::FileOnly.firstRow, Area::FileOnly.rowCount()),
             saved.rows(Area::FileOnly.firstRow, Area::FileOnly.rowCount()));
    QVERIFY(loaded == saved);
    // Nothing is left behind beside the target.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("random.dat")});
}

void TestDataFile::wrongRowLabelsStillLoad()
{
    MemoryImage saved;
    fillRandom(saved, 7);
    QList<QByteArray> lines = DataFile::format(saved).split('\n');
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        QList<QByteArray> numbers = lines[row].trimmed().split(' ');
        numbers.removeAll(QByteArray());
        numbers[0] = "9999";
        numbers[1] = "-3";
        numbers[2] = QByteArray::number(row * 7);
        lines[row] = numbers.join(' ') + '\r';
    }
    MemoryImage loaded;
    const FileResult result = DataFile::parse(lines.join('\n'), loaded);
    QVERIFY2(result.ok, qPrintable(result.messageEn));
    QVERIFY(loaded == saved);
}

void TestDataFile::anySeparatorsLoad()
{
    MemoryImage saved;
    fillRandom(saved, 11);
    QByteArray text = DataFile::format(saved);
    // One long line of comma-separated numbers, with a byte order mark in front.
    QByteArray commas = "\xEF\xBB\xBF" + text.simplified().replace(' ', ',');
    MemoryImage loaded;
    QVERIFY(DataFile::parse(commas, loaded).ok);
    QVERIFY(loaded == saved);
    // Bare line feeds and tabs.
    MemoryImage loaded2;
    QVERIFY(DataFile::parse(text.replace("\r\n", "\n").replace("  ", "\t"), loaded2).ok);
    QVERIFY(loaded2 == saved);
}

void TestDataFile::badFilesLeaveTheImageAlone_data()
{
    MemoryImage image;
    fillRandom(image, 21);
    const QByteArray good = DataFile::format(image);

    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("messageEn");
    QTest::addColumn<QString>("messageZh");

    QByteArray truncated = good.left(good.lastIndexOf(' ', good.size() - 4));
    QTest::newRow("last number missing")
        << truncated << "The file ends too early: it holds 19474 numbers, 19475 are needed (end at line 1025)."
        << "文件不完整：只有 19474 个数，需要 19475 个（在第 1025 行结束）。";
    QTest::newRow("half a file") << good.left(good.indexOf("\r\n 32  0  512 "))
                                 << "The file ends too early: it holds 9728 numbers, 19475 are needed (end at line 512)."
                                 << "文件不完整：只有 9728 个数，需要 19475 个（在第 512 行结束）。";
    QTest::newRow("empty file") << QByteArray()
                                << "The file ends too early: it holds 0 numbers, 19475 are needed (end at line 1)."
                                << "文件不完整：只有 0 个数，需要 19475 个（在第 1 行结束）。";
    QTest::newRow("256 in row 100") << withCell(good, 100, 5, "256")
                                    << "Line 101: \"256\" is not a whole number from 0 to 255."
                                    << "第 101 行：“256”不是 0 到 255 之间的整数。";
    QTest::newRow("word in last row") << withCell(good, 1024, 15, "abc")
                                      << "Line 1025: \"abc\" is not a whole number from 0 to 255."
                                      << "第 1025 行：“abc”不是 0 到 255 之间的整数。";
    QTest::newRow("negative") << withCell(good, 0, 0, "-1") << "Line 1: \"-1\" is not a whole number from 0 to 255."
                              << "第 1 行：“-1”不是 0 到 255 之间的整数。";
    QTest::newRow("fraction") << withCell(good, 3, 2, "1.5") << "Line 4: \"1.5\" is not a whole number from 0 to 255."
                              << "第 4 行：“1.5”不是 0 到 255 之间的整数。";
    QByteArray badLabel = good;
    badLabel.replace(" 0  2  2 ", " x  2  2 ");
    QTest::newRow("label not a number") << badLabel << "Line 3: \"x\" is not a whole number."
                                        << "第 3 行：“x”不是整数。";
}

void TestDataFile::badFilesLeaveTheImageAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, messageEn);
    QFETCH(QString, messageZh);
    const QString path = m_dir.filePath(QStringLiteral("bad.dat"));
    QVERIFY(writeAll(path, file));
    MemoryImage image;
    fillRandom(image, 99);
    const MemoryImage before = image;
    const FileResult result = DataFile::load(image, path);
    QVERIFY(!result.ok);
    QCOMPARE(result.messageEn, messageEn);
    QCOMPARE(result.messageZh, messageZh);
    QVERIFY(image == before);
}

void TestDataFile::unreadablePathsLeaveTheImageAlone()
{
    MemoryImage image;
    fillRandom(image, 5);
    const MemoryImage before = image;

    const QString missing = m_dir.filePath(QStringLiteral("missing.dat"));
    FileResult result = DataFile::load(image, missing);
    QVERIFY(!result.ok);
    QVERIFY2(result.messageEn.startsWith(QStringLiteral("Cannot open \"%1\": ").arg(missing)),
             qPrintable(result.messageEn));
    QVERIFY(result.messageZh.startsWith(QStringLiteral("无法打开文件“%1”：").arg(missing)));

    const QString folder = m_dir.filePath(QStringLiteral("folder.dat"));
    QVERIFY(QDir().mkpath(folder));
    result = DataFile::load(image, folder);
    QVERIFY(!result.ok);
    QCOMPARE(result.messageEn, QStringLiteral("\"%1\" is a folder, not a file.").arg(folder));
    QVERIFY(image == before);
}

void TestDataFile::failedSaveKeepsTheOldFile()
{
    // The temporary file beside a target whose name already uses the whole length a name
    // may have cannot be created, whoever runs the test: the save must fail cleanly.
    const QString longName = QString(251, QLatin1Char('n')) + QStringLiteral(".dat");
    const QString path = m_dir.filePath(longName);
    const QByteArray old = "old contents\r\n";
    QVERIFY(writeAll(path, old));
    MemoryImage image;
    const FileResult result = DataFile::save(image, path);
    QVERIFY(!result.ok);
    QVERIFY2(result.messageEn.startsWith(QStringLiteral("Cannot save \"%1\": ").arg(path)), qPrintable(result.messageEn));
    QVERIFY(result.messageZh.startsWith(QStringLiteral("无法保存文件“%1”：").arg(path)));
    QCOMPARE(readAll(path), old);

    const FileResult intoFolder = DataFile::save(image, m_dir.filePath(QStringLiteral("no/such/folder/x.dat")));
    QVERIFY(!intoFolder.ok);
}

void TestDataFile::saveReplacesAnExistingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("replace.dat"));
    QVERIFY(writeAll(path, "old"));
    MemoryImage image;
    fillRandom(image, 3);
    QVERIFY(DataFile::save(image, path).ok);
    QCOMPARE(readAll(path), DataFile::format(image));
}

void TestDataFile::adjustFileLayoutAndRoundTrip()
{
    AdjustFile::Table table{};
    for (int i = 0; i < int(table.size()); ++i)
        table[i] = uint8_t(255 - i);
    const QByteArray text = AdjustFile::format(table);
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 17);
    QByteArray first;
    for (int v = 255; v > 239; --v)
        first += ' ' + QByteArray::number(v) + ' ';
    QCOMPARE(lines.at(0), first + '\r');
    QVERIFY(lines.at(15).startsWith(" 15  14  13 "));

    const QString path = m_dir.filePath(QStringLiteral("align.adj"));
    QVERIFY(AdjustFile::save(table, path).ok);
    AdjustFile::Table loaded{};
    const FileResult result = AdjustFile::load(loaded, path);
    QVERIFY2(result.ok, qPrintable(result.messageEn));
    QVERIFY(loaded == table);
}

void TestDataFile::badAdjustFilesLeaveTheTableAlone()
{
    AdjustFile::Table table{};
    table.fill(7);
    const AdjustFile::Table before = table;
    QByteArray text = AdjustFile::format(AdjustFile::Table{});

    FileResult result = AdjustFile::parse(text.left(text.size() - 6), table);
    QVERIFY(!result.ok);
    QCOMPARE(result.messageEn,
             QStringLiteral("The file ends too early: it holds 255 numbers, 256 are needed (end at line 16)."));

    QByteArray bad = text;
    const int secondLine = int(bad.indexOf("\r\n")) + 2;
    bad.replace(bad.indexOf(" 0 ", secondLine + 6), 3, " 300 ");
    result = AdjustFile::parse(bad, table);
    QVERIFY(!result.ok);
    QCOMPARE(result.messageEn, QStringLiteral("Line 2: \"300\" is not a whole number from 0 to 255."));

    result = AdjustFile::load(table, m_dir.filePath(QStringLiteral("none.adj")));
    QVERIFY(!result.ok);
    QVERIFY(table == before);
}

void TestDataFile::adjustRequestsAreTakenOnce()
{
    AdjustFileRequests &requests = AdjustFileRequests::instance();
    QSignalSpy spy(&requests, &AdjustFileRequests::requested);
    QVERIFY(!requests.take().isPending());

    requests.requestOpen(QStringLiteral("/tmp/a.adj"));
    QCOMPARE(spy.count(), 1);
    QVERIFY(requests.openPending());
    QVERIFY(!requests.savePending());
    QCOMPARE(requests.path(), QStringLiteral("/tmp/a.adj"));

    AdjustFileRequests::Request taken = requests.take();
    QCOMPARE(int(taken.action), int(AdjustFileRequests::Action::Open));
    QCOMPARE(taken.path, QStringLiteral("/tmp/a.adj"));
    QVERIFY(!requests.openPending());
    QVERIFY(!requests.take().isPending()); // handled once

    // The latest choice replaces one that has not been taken yet.
    requests.requestOpen(QStringLiteral("/tmp/b.adj"));
    requests.requestSave(QStringLiteral("/tmp/c.adj"));
    QCOMPARE(spy.count(), 3);
    QVERIFY(requests.savePending());
    QVERIFY(!requests.openPending());
    taken = requests.take();
    QCOMPARE(int(taken.action), int(AdjustFileRequests::Action::Save));
    QCOMPARE(taken.path, QStringLiteral("/tmp/c.adj"));
    QVERIFY(!requests.take().isPending());
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
