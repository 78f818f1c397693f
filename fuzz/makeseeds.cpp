// Writes the seed corpora under fuzz/corpus/ with the program's own writers (data and
// adjust files, frames) and the virtual radio's answers to them. The seeds are kept in
// the repository; run this again only when a format or the script of fuzz_exchange
// changes:   build-fuzz/fuzz/fuzz_seeds fuzz/corpus

#include "channels/channelcsv.h"
#include "channels/channelrecord.h"
#include "demoimage.h"
#include "files/adjustfile.h"
#include "config/configtext.h"
#include "files/datafile.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/areatransfer.h"
#include "link/protocol.h"
#include "virtualradio.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString g_root;

void put(const char *target, const char *name, const QByteArray &bytes)
{
    const QString folder = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s/%s\n", target, name);
}

QByteArray bytesOf(const std::vector<uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), int(v.size()));
}

// The program's end of the virtual radio's line.
class Line
{
public:
    explicit Line(vradio::VirtualRadio &radio)
    {
        m_fd = ::open(radio.slavePath().c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~Line() { ::close(m_fd); }
    // Says `frame` and returns what comes back: `count` bytes, or less after 300 ms of quiet.
    QByteArray ask(const QByteArray &frame, int count)
    {
        (void)!::write(m_fd, frame.constData(), size_t(frame.size()));
        QByteArray in;
        while (in.size() < count) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 300) <= 0)
                break;
            char buffer[128];
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

// fuzz_exchange's script steps.
QByteArray untilSent() { return QByteArray(1, char(0xC3)); }
QByteArray arrive(const QByteArray &bytes)
{
    QByteArray steps;
    for (int at = 0; at < bytes.size(); at += 128) {
        const QByteArray part = bytes.mid(at, 128);
        steps += char(part.size() - 1) + part;
    }
    return steps;
}
QByteArray pass(int root) { return QByteArray(1, char(0x80 | (root - 1))); }
// Direction 0 identify, 1 read, 2 write; pacing 0 main window, 1 transfer, 2 write window, 3 alignment.
char config(int direction, int pacing, int count) { return char(direction + 3 * pacing + 12 * (count - 1)); }

void dataFiles()
{
    MemoryImage erased;
    (void)erased;
    MemoryImage image;
    defaultChannels(image);
    QRandomGenerator random(11);
    for (int row = Area::ChannelNames.firstRow; row < Area::ChannelNames.firstRow + 20; ++row)
        image.setCell(row, int(random.bounded(6)), uint8_t('A' + random.bounded(26)));
    // One whole file, written as tightly as the reader takes it (one digit a cell, one comma
    // between the numbers, no line ends): what any load needs at the least, and the shorter
    // it is, the more runs the search gets. The rest are short files the reader refuses, each for
    // another reason.
    QByteArray tight;
    for (int row = 0; row < MemoryImage::Rows; ++row) {
        tight += "0,0,0";
        for (int column = 0; column < MemoryImage::Columns; ++column)
            tight += ',' + QByteArray::number((row + column) % 10);
        tight += row + 1 < MemoryImage::Rows ? "," : "\r\n";
    }
    put("datafile", "tight.dat", tight);
    const QByteArray channels = DataFile::format(image);
    put("datafile", "short.dat", channels.left(400));
    put("datafile", "not-a-number.dat", " 0  0  0  255  1x  3 \r\n");
    put("datafile", "too-large.dat", " 0  0  0  256 \r\n");
    put("datafile", "negative.dat", "0,0,0,-1\n");
    put("datafile", "mixed-separators.dat", " 0 ,0\n0\r\n12,, 7\t9 \n");
}

void adjustFiles()
{
    AdjustFile::Table table;
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = uint8_t(i);
    put("adjustfile", "ramp.adj", AdjustFile::format(table));
    table.fill(0xFF);
    put("adjustfile", "erased.adj", AdjustFile::format(table));
    QByteArray bad = AdjustFile::format(table);
    bad.replace(1, 3, "2x5");
    put("adjustfile", "bad-value.adj", bad);
}

void identifications()
{
    vradio::VirtualRadio radio;
    put("identification", "default", bytesOf(radio.identificationReply()));
    vradio::Identity other;
    other.modelName = "OR-77U";
    other.bandALower = 144;
    other.bandAUpper = 148;
    other.bandBLower = 430;
    other.bandBUpper = 440;
    radio.setIdentity(other);
    put("identification", "other-bands", bytesOf(radio.identificationReply()));
    vradio::Faults faults;
    faults.wrongModelCode = true;
    radio.setFaults(faults);
    put("identification", "wrong-model-code", bytesOf(radio.identificationReply()));
    faults = {};
    faults.missingEndMark = true;
    radio.setFaults(faults);
    put("identification", "no-55", bytesOf(radio.identificationReply()));
}

// A conversation's replies as the radio sends them, in fuzz_receiveslots' layout
// (`which` picks the conversation there: 0 the bulk read, 1 the channels).
QByteArray readReplies(vradio::VirtualRadio &radio, char which, const AreaTransfer &transfer)
{
    Line line(radio);
    line.ask(Protocol::handshake(), Protocol::IdentificationBytes);
    QByteArray replies(1, which);
    for (int k = 0; k < transfer.readCount(); ++k) {
        QByteArray request = Protocol::readRequest(transfer.reads()[k].address, k == 0);
        if (k > 0)
            request.prepend(char(Protocol::Ack));
        const QByteArray reply = line.ask(request, Protocol::ReadReplyBytes);
        replies += char(reply.size()) + reply;
    }
    return replies;
}

// fuzz_configtext: small texts of a section or a few keys each, most cut from the export of
// the demo plan. fuzz_configimage: whole images as they are, or a start image and byte
// patches.
void configImages()
{
    MemoryImage demo;
    buildDemoImage(demo);
    put("configimage", "demo.img", QByteArray(reinterpret_cast<const char *>(demo.data()), MemoryImage::Size));
    const QString text = QString::fromUtf8(ConfigText::exportImage(demo));
    // The export's top-level sections, each on its own.
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList section;
    QString name;
    auto flush = [&] {
        if (name.isEmpty() || name == QLatin1String("channels") || name == QLatin1String("raw"))
            return;
        put("configtext", qPrintable(name + QStringLiteral(".yaml")), section.join(QLatin1Char('\n')).toUtf8() + '\n');
    };
    for (const QString &line : lines) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(' ')) && !line.startsWith(QLatin1Char('-'))
            && !line.startsWith(QLatin1Char('#'))) {
            flush();
            section.clear();
            name = line.section(QLatin1Char(':'), 0, 0);
        }
        section << line;
    }
    flush();
    put("configtext", "channels.yaml",
        "channels:\n  - number: 3\n    rx: \"145.50000\"\n    tx: \"145.50000\"\n    rx_tone: \"88.5\"\n"
        "    power: HIGH\n    name: \"HOME\"\n  - number: 7\n    rx: \"438.50000\"\n    tx: \"430.90000\"\n"
        "    tx_tone: D023N\n    busy_lock: \"ON\"\n    scan_add: false\n");
    put("configtext", "keys.yaml", "options:\n  squelch: 5\n  tdr: true\n  ani: \"12345\"\nband_b:\n  frequency: \"438.50000\"\n");
    put("configtext", "raw.yaml", "raw:\n  \"0C80\": \"00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\"\n  \"3000-30FF\": \"-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- 01\"\n");
    put("configtext", "refused.yaml", "options:\n  squelch: 9\n  tdr: MAYBE\nfm:\n  - number: 17\n");
    put("configimage", "startup.img", QByteArray(1, '\0'));
    put("configimage", "erased.img", QByteArray(1, '\1'));
    put("configimage", "patterned.img", QByteArray(1, '\2'));
    // Garbage where names stand: frequency nibbles above 9, tones no table holds, list
    // values past their lists, unused bits set, names of codes that are no character.
    const uint8_t patches[][3] = {{0x00, 0x00, 0x9A}, {0x00, 0x09, 0x85}, {0x00, 0x0C, 0xF3}, {0x00, 0x0E, 0x07},
                                  {0x00, 0x0F, 0xB0}, {0x10, 0x02, 0x61}, {0x0E, 0x02, 0xFF}, {0x0E, 0xC3, 0x7E},
                                  {0x0F, 0x03, 0x0C}, {0x0F, 0x10, 0xFF}, {0x2A, 0xF1, 0xFF}, {0x2A, 0xF4, 0x05},
                                  {0x2D, 0x00, 0xFF}, {0x2E, 0x01, 0x09}, {0x25, 0x0F, 0x20}, {0x30, 0x20, 0x0B}};
    QByteArray garbage(1, '\0');
    for (const auto &p : patches)
        garbage.append(reinterpret_cast<const char *>(p), 3);
    put("configimage", "garbage.img", garbage);
}

void channelCsvFiles()
{
    MemoryImage image;
    defaultChannels(image);
    const char *frequencies[] = {"145.50000", "145.62500", "433.50000", "146.52000", "438.02500", "136.00000"};
    for (int k = 0; k < 6; ++k) {
        ChannelRecord record(image, k * 31);
        record.setRxFrequency(QString::fromLatin1(frequencies[k]));
        record.setName(QStringLiteral("CH%1").arg(k));
    }
    ChannelRecord repeater(image, 31);
    repeater.setTxFrequency(QStringLiteral("145.02500"));
    ChannelRecord split(image, 62);
    split.setTxFrequency(QStringLiteral("145.50000"));
    const QByteArray all = ChannelCsv::write(image);
    put("channelcsv", "six-channels.csv", all);
    const QList<QByteArray> lines = all.split('\n');
    put("channelcsv", "one-row.csv", lines[0] + '\n' + lines[1] + '\n');
    put("channelcsv", "emptied.csv", "Location,Frequency\r\n5,\r\n");
    put("channelcsv", "long-name.csv", "Location,Name,Frequency,Tone,rToneFreq\r\n7,\"long, name\",146.5,Tone,88.5\r\n");
    put("channelcsv", "bad-tone.csv", "Location,Frequency,Tone,rToneFreq\r\n1,145.5,Tone,99.9\r\n");
}

void receiveSlots()
{
    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        return;
    }
    std::vector<uint8_t> memory(0x3200);
    for (size_t a = 0; a < memory.size(); ++a)
        memory[a] = uint8_t(a * 7 + (a >> 8));
    radio.setMemory(0, memory);
    radio.start();
    put("receiveslots", "bulk-read", readReplies(radio, 0, AreaTransfer::bulkRead()));
    put("receiveslots", "channels", readReplies(radio, 1, AreaTransfer::channels()));
    vradio::Faults faults;
    faults.strayBeforeX = 1;
    faults.strayBlock = 5;
    radio.setFaults(faults);
    put("receiveslots", "stray-before-x-1", readReplies(radio, 0, AreaTransfer::bulkRead()));
    faults.strayBeforeX = 2;
    faults.strayBlock = 7;
    radio.setFaults(faults);
    put("receiveslots", "stray-before-x-2", readReplies(radio, 0, AreaTransfer::bulkRead()));
    radio.stop();
}

void exchanges()
{
    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        return;
    }
    radio.start();
    Line line(radio);
    const QByteArray id = line.ask(Protocol::handshake(), Protocol::IdentificationBytes);

    put("exchange", "identify", config(0, 0, 1) + untilSent() + arrive(id));

    QByteArray read = config(1, 1, 3) + untilSent() + arrive(id);
    for (int k = 0; k < 3; ++k) {
        QByteArray request = Protocol::readRequest(k * Area::BlockBytes, k == 0);
        if (k > 0)
            request.prepend(char(Protocol::Ack));
        read += untilSent() + arrive(line.ask(request, Protocol::ReadReplyBytes));
    }
    put("exchange", "read-3-blocks", read);
    // The first attempt times out after the identification, the second goes through.
    put("exchange", "read-after-a-timeout", config(1, 1, 3) + untilSent() + arrive(id) + pass(64) + pass(64)
                                                 + read.mid(1));

    line.ask(Protocol::handshake(), Protocol::IdentificationBytes);
    QByteArray write = config(2, 2, 3) + untilSent() + arrive(id);
    for (int j = 0; j < 3; ++j)
        write += untilSent() + arrive(line.ask(Protocol::writeFrame(j * 16, QByteArray(16, char(j))), 1));
    put("exchange", "write-3-frames", write);

    vradio::Faults faults;
    faults.wrongModelCode = true;
    radio.setFaults(faults);
    const QByteArray wrong = line.ask(Protocol::handshake(), Protocol::IdentificationBytes);
    put("exchange", "identify-wrong-model", config(0, 0, 1) + untilSent() + arrive(wrong));
    radio.stop();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    dataFiles();
    adjustFiles();
    identifications();
    channelCsvFiles();
    configImages();
    receiveSlots();
    exchanges();
    return 0;
}
