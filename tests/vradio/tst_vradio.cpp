// The virtual radio on its own: its data-file reader, its side of the protocol over a
// raw pseudo-terminal client, its faults, and the command's link handling.

#include "datafile.h"
#include "virtualradio.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
const QByteArray Handshake = QByteArray::fromHex("55A5B545" "55454D02");

// The program's end of the line, reduced to raw reads and writes.
class Client
{
public:
    explicit Client(const std::string &path)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~Client() { ::close(m_fd); }
    bool ok() const { return m_fd >= 0; }
    void send(const QByteArray &bytes) { QCOMPARE(::write(m_fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size())); }
    // Whatever arrives until `count` bytes are in or the line stays quiet for quietMs.
    QByteArray receive(int count, int quietMs = 300)
    {
        QByteArray in;
        while (in.size() < count) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, quietMs) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, size_t(std::min<int>(int(sizeof buffer), count - int(in.size()))));
            if (n <= 0)
                break;
            in.append(buffer, int(n));
        }
        return in;
    }

private:
    int m_fd = -1;
};

QByteArray toBytes(const std::vector<uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), int(v.size()));
}

std::string dataFileText(uint8_t first)
{
    std::vector<uint8_t> image(vradio::DataFileRows * 16, 0xFF);
    image[0] = first;
    image[0x3C00] = 0x42;
    image[image.size() - 1] = 7;
    return vradio::formatDataFile(image);
}
} // namespace

class TestVirtualRadio : public QObject
{
    Q_OBJECT
private slots:
    void dataFile_data();
    void dataFile();
    void dataFileRoundTrip();

    void answersTheProtocol();
    void identificationFaults();
    void blockFaults();
    void writeFaults();
    void byteTimingSlowsTheLine();
    void linksAndTheCommand();
};

void TestVirtualRadio::dataFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("cell0");
    QByteArray good = QByteArray::fromStdString(dataFileText(0x12));
    QTest::newRow("as the program writes it") << good << true << 0x12;
    QByteArray commas = good;
    commas.replace("  ", ",");
    QTest::newRow("commas") << commas << true << 0x12;
    QByteArray oneLine = good;
    oneLine.replace("\r\n", " ");
    QTest::newRow("no line ends") << oneLine << true << 0x12;
    QTest::newRow("too few numbers") << good.left(good.lastIndexOf("\r\n", good.size() - 3)) << false << 0;
    QByteArray badToken = good;
    badToken.replace(" 18 ", " 1x ");
    QTest::newRow("not a number") << badToken << false << 0;
    QByteArray big = good;
    big.replace(" 18 ", " 256 ");
    QTest::newRow("above 255") << big << false << 0;
    QByteArray negative = good;
    negative.replace(" 18 ", " -1 ");
    QTest::newRow("negative") << negative << false << 0;
}

void TestVirtualRadio::dataFile()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, cell0);
    std::vector<uint8_t> image;
    std::string error;
    QCOMPARE(vradio::parseDataFile(text.toStdString(), image, &error), ok);
    if (ok) {
        QCOMPARE(int(image.size()), 1025 * 16);
        QCOMPARE(int(image[0]), cell0);
        QCOMPARE(int(image[0x3C00]), 0x42);
        QCOMPARE(int(image.back()), 7);
        QCOMPARE(int(image[1]), 0xFF);
    } else {
        QVERIFY(!error.empty());
        QVERIFY(image.empty());
    }
}

void TestVirtualRadio::dataFileRoundTrip()
{
    std::vector<uint8_t> image(1025 * 16);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 31);
    const std::string text = vradio::formatDataFile(image);
    // Row 17: labels 1, 1, 17, then its cells, each number between single spaces.
    const size_t row17 = text.find("\r\n 1  1  17  ");
    QVERIFY(row17 != std::string::npos);
    std::vector<uint8_t> back;
    QVERIFY(vradio::parseDataFile(text, back, nullptr));
    QVERIFY(back == image);
}

void TestVirtualRadio::answersTheProtocol()
{
    vradio::VirtualRadio radio;
    QVERIFY(radio.open());
    std::vector<uint8_t> block(64);
    for (int i = 0; i < 64; ++i)
        block[i] = uint8_t(i * 3);
    radio.setMemory(0x3C00, block);
    radio.start();
    Client client(radio.slavePath());
    QVERIFY(client.ok());

    // Nothing but a handshake opens the conversation.
    client.send(QByteArray::fromHex("53000040"));
    QVERIFY(client.receive(1, 150).isEmpty());

    // A handshake in two pieces.
    client.send(Handshake.left(3));
    QTest::qSleep(30);
    client.send(Handshake.mid(3));
    const QByteArray id = client.receive(50);
    QCOMPARE(id.size(), 50);
    QCOMPARE(id, toBytes(radio.identificationReply()));
    QCOMPARE(id.mid(1, 12), QByteArray::fromHex("010306010704040000040800"));
    QCOMPARE(id.mid(13, 4), QByteArray("QDMX"));
    QCOMPARE(id.mid(17, 6), QByteArray("OR-78V"));
    QCOMPARE(id.mid(33, 16), QByteArray("ORV123456789ABCD"));
    QCOMPARE(uint8_t(id[49]), uint8_t(0x55));

    client.send(QByteArray::fromHex("06533C0040"));
    const QByteArray reply = client.receive(70);
    QCOMPARE(reply.size(), 69);
    QCOMPARE(reply.left(4), QByteArray::fromHex("583C0040"));
    QCOMPARE(reply.mid(4, 64), toBytes(block));
    uint8_t sum = 0;
    for (uint8_t b : block)
        sum = uint8_t(sum + b);
    QCOMPARE(uint8_t(reply[68]), sum);

    QByteArray frame = QByteArray::fromHex("0658201010");
    for (int i = 0; i < 16; ++i)
        frame.append(char(0xA0 + i));
    client.send(frame);
    QCOMPARE(client.receive(2), QByteArray(1, '\x06'));
    QCOMPARE(toBytes(radio.memory(0x2010, 16)), frame.mid(5));
    QCOMPARE(toBytes(radio.memory(0x2000, 16)), QByteArray(16, char(0xFF)));
    QCOMPARE(radio.handshakes(), 1);
    QCOMPARE(radio.readRequests(), 1);
    QCOMPARE(radio.writtenAddresses(), std::vector<int>{0x2010});
}

void TestVirtualRadio::identificationFaults()
{
    vradio::VirtualRadio radio;
    QVERIFY(radio.open());
    radio.start();
    Client client(radio.slavePath());

    vradio::Faults faults;
    faults.wrongModelCode = true;
    faults.missingEndMark = true;
    faults.extraAfterIdentification = 5;
    radio.setFaults(faults);
    client.send(Handshake);
    QByteArray id = client.receive(60);
    QCOMPARE(id.size(), 55);
    QCOMPARE(id.mid(13, 4), QByteArray("QDMY"));
    QCOMPARE(uint8_t(id[49]), uint8_t(0x00));

    faults = vradio::Faults();
    faults.identificationChunks = {20, 30};
    faults.chunkGapMs = 200;
    radio.setFaults(faults);
    client.send(Handshake);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(client.receive(20).size(), 20);
    QCOMPARE(client.receive(30).size(), 30);
    QVERIFY(clock.elapsed() >= 150);

    faults = vradio::Faults();
    faults.silent = true;
    radio.setFaults(faults);
    client.send(Handshake);
    QVERIFY(client.receive(1, 200).isEmpty());
    QCOMPARE(radio.handshakes(), 3);
}

void TestVirtualRadio::blockFaults()
{
    vradio::VirtualRadio radio;
    QVERIFY(radio.open());
    radio.start();
    Client client(radio.slavePath());
    vradio::Faults faults;
    faults.strayBeforeX = 2;
    faults.strayBlock = 2;
    faults.dropByteInBlock = 3;
    faults.silentAfterReadBlocks = 3;
    radio.setFaults(faults);
    client.send(Handshake);
    QCOMPARE(client.receive(50).size(), 50);

    client.send(QByteArray::fromHex("06530000" "40"));
    QCOMPARE(client.receive(80).left(1), QByteArray("X"));
    client.send(QByteArray::fromHex("0653004040"));
    const QByteArray second = client.receive(80);
    QCOMPARE(second.size(), 71);
    QCOMPARE(second.indexOf('X'), 2);
    client.send(QByteArray::fromHex("0653008040"));
    QCOMPARE(client.receive(80).size(), 68);
    client.send(QByteArray::fromHex("065300C040"));
    QVERIFY(client.receive(1, 200).isEmpty());

    // A fresh handshake starts a fresh count; the dropped byte was a one-off.
    client.send(Handshake);
    QCOMPARE(client.receive(50).size(), 50);
    for (int k = 1; k <= 3; ++k) {
        client.send(QByteArray::fromHex("0653") + QByteArray(1, char(0)) + QByteArray(1, char(k * 0x40)) + "\x40");
        QCOMPARE(client.receive(80).size(), k == 2 ? 71 : 69);
    }
}

void TestVirtualRadio::writeFaults()
{
    vradio::VirtualRadio radio;
    QVERIFY(radio.open());
    radio.start();
    Client client(radio.slavePath());
    vradio::Faults faults;
    faults.earlyAck = true;
    faults.silentAfterWriteFrames = 1;
    radio.setFaults(faults);
    client.send(Handshake);
    QCOMPARE(client.receive(50).size(), 50);

    const QByteArray header = QByteArray::fromHex("0658300010");
    client.send(header);
    QCOMPARE(client.receive(2, 200), QByteArray(1, '\x06'));
    client.send(QByteArray(16, '\x11'));
    QCOMPARE(client.receive(2, 200), QByteArray(1, '\x06'));
    client.send(QByteArray::fromHex("0658301010") + QByteArray(16, '\x22'));
    QVERIFY(client.receive(1, 200).isEmpty());
    QCOMPARE(toBytes(radio.memory(0x3000, 16)), QByteArray(16, '\x11'));
    QCOMPARE(toBytes(radio.memory(0x3010, 16)), QByteArray(16, char(0xFF)));
    QCOMPARE(radio.writeFrames(), 1);
}

void TestVirtualRadio::byteTimingSlowsTheLine()
{
    vradio::VirtualRadio radio;
    QVERIFY(radio.open());
    radio.setByteTiming(true);
    radio.start();
    Client client(radio.slavePath());
    QElapsedTimer clock;
    clock.start();
    client.send(Handshake);
    QCOMPARE(client.receive(50, 1000).size(), 50);
    // 8 bytes in and 50 out, each 10 bits at 9600 baud: at least 60 ms.
    QVERIFY(clock.elapsed() >= (8 + 50) * 10 * 1000 / 9600);
}

void TestVirtualRadio::linksAndTheCommand()
{
    QTemporaryDir folder;
    const std::string nested = folder.path().toStdString() + "/a/b";
    {
        vradio::VirtualRadio radio;
        QVERIFY(radio.open());
        QVERIFY(radio.linkAsCom(3, nested));
        const QFileInfo link(QString::fromStdString(nested + "/com3"));
        QVERIFY(link.isSymLink());
        QCOMPARE(link.symLinkTarget(), QString::fromStdString(radio.slavePath()));
    }
    // Gone with the radio.
    QVERIFY(!QFileInfo(QString::fromStdString(nested + "/com3")).isSymLink());

    QProcess command;
    command.start(QStringLiteral(ORVANE_VRADIO_PATH),
                  {QStringLiteral("--com"), QStringLiteral("5"), QStringLiteral("--link-folder"), folder.path()});
    QVERIFY(command.waitForStarted());
    QVERIFY(command.waitForReadyRead(5000));
    const QString slave = QString::fromLocal8Bit(command.readLine()).trimmed();
    QVERIFY(slave.startsWith(QStringLiteral("/dev/pts/")));
    const QString link = folder.path() + QStringLiteral("/com5");
    QTRY_VERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), slave);
    {
        Client client(slave.toStdString());
        client.send(Handshake);
        QCOMPARE(client.receive(50).mid(13, 4), QByteArray("QDMX"));
    }
    command.terminate(); // SIGTERM
    QVERIFY(command.waitForFinished(5000));
    QCOMPARE(command.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestVirtualRadio)
#include "tst_vradio.moc"
