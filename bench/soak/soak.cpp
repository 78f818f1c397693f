// Fault soak: many transfers through the windows' own buttons against the in-process
// virtual radio, each with a random fault on the line, timers scaled down. For every
// transfer it checks what the program promises: a read that succeeds leaves the image
// equal to the radio on the rows it stores and the rest as it was, a failed read leaves
// the image byte for byte as it was, a write that succeeds leaves the radio equal to the
// frames sent (and the rest of the radio as it was), every transfer ends within its
// worst case, and the port is free afterwards.
//
//   bench/soak/soak [--runs N] [--seed S] [--scale X] [--only NAME]
//
// Two rows more are the changed-only write ("Write changes to radio..."): the radio holds
// the document's plan with a few rows changed; the window reads, compares, keeps a backup,
// writes the differing frames and reads them back. A run it reports as done must leave the
// radio equal to the plan; one that fails may leave a mix, and says so. The other is the
// quick write, which stands on the radio's history (oneQuickWrite() below).
//
// A transfer is one row of transfers() below, with the window that runs it and the area
// transfer it runs, from which the checks take the rows, the alignment array's bytes and
// the addresses; an editor window with its own transfer joins the soak with one more row.

#include "alignment/alignmenttable.h"
#include "alignment/alignmentwindow.h"
#include "channels/channeleditor.h"
#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/document.h"
#include "image/memoryimage.h"
#include "link/areatransfer.h"
#include "link/bulkwrite.h"
#include "link/exchangeengine.h"
#include "link/protocol.h"
#include "link/readwindow.h"
#include "link/transferwindow.h"
#include "link/writewindow.h"
#include "fm/fmeditor.h"
#include "options/optioneditor.h"
#include "platform/messagebox.h"
#include "platform/portnames.h"
#include "platform/serialport.h"
#include "platform/timer.h"
#include "shell/bulkwritesteps.h"
#include "shell/changeswindow.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "files/radiohistory.h"
#include "signalling/dtmfeditor.h"
#include "signalling/fivetoneeditor.h"
#include "signalling/twotoneeditor.h"
#include "texts/commontexts.h"
#include "virtualradio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

enum class Kind { Read, Write };

struct Transfer
{
    const char *name;
    std::function<TransferWindow *()> open;
    const char *button;
    Kind kind;
    // Which blocks it reads and where they go, or which frames it writes from where.
    AreaTransfer area;
    // The bulk write renews the 5-tone tables in the image before it sends them.
    bool bulkWriteSteps = false;
};

template <class Window>
std::function<TransferWindow *()> opener()
{
    return [] { return new Window; };
}

const std::vector<Transfer> &transfers()
{
    static const std::vector<Transfer> table = {
        {"bulk read", opener<ReadWindow>(), "Command_read", Kind::Read, AreaTransfer::bulkRead()},
        {"bulk write", opener<WriteWindow>(), "Command_write", Kind::Write, AreaTransfer::bulkWrite(), true},
        {"channel read", opener<ChannelEditor>(), "Command_read", Kind::Read, AreaTransfer::channels()},
        {"channel write", opener<ChannelEditor>(), "Command_write", Kind::Write, AreaTransfer::channels()},
        {"options read", opener<OptionEditor>(), "Command_read", Kind::Read, AreaTransfer::options()},
        {"options write", opener<OptionEditor>(), "Command_write", Kind::Write, AreaTransfer::options()},
        {"FM read", opener<FmEditor>(), "Command_read", Kind::Read, AreaTransfer::fm()},
        {"FM write", opener<FmEditor>(), "Command_write", Kind::Write, AreaTransfer::fm()},
        {"DTMF read", opener<DtmfEditor>(), "Command_read", Kind::Read, AreaTransfer::dtmf()},
        {"DTMF write", opener<DtmfEditor>(), "Command_write", Kind::Write, AreaTransfer::dtmf()},
        {"2-tone read", opener<TwoToneEditor>(), "Command_read", Kind::Read, AreaTransfer::twoTone()},
        {"2-tone write", opener<TwoToneEditor>(), "Command_write", Kind::Write, AreaTransfer::twoTone()},
        {"5-tone read", opener<FiveToneEditor>(), "Command_read", Kind::Read, AreaTransfer::fiveTone()},
        {"5-tone write", opener<FiveToneEditor>(), "Command_write", Kind::Write, AreaTransfer::fiveTone()},
        {"alignment read", opener<AlignmentWindow>(), "Command_read", Kind::Read, AreaTransfer::alignment()},
        {"alignment write", opener<AlignmentWindow>(), "Command_write", Kind::Write, AreaTransfer::alignment()},
    };
    return table;
}

enum class Fault {
    None,
    DroppedByte,
    NoiseBeforeReply,
    GarbageAfterReplies,
    GarbageBeforeIdentification,
    SilentAfterBlockOrFrame,
    ShortStall,
    LongStall,
    WrongModelCode,
    Missing55,
    StrayBeforeX,
    PortDisappears,
    Count
};

const char *faultName(Fault fault)
{
    switch (fault) {
    case Fault::None: return "none";
    case Fault::DroppedByte: return "dropped byte";
    case Fault::NoiseBeforeReply: return "noise before a reply";
    case Fault::GarbageAfterReplies: return "garbage after replies";
    case Fault::GarbageBeforeIdentification: return "garbage before identification";
    case Fault::SilentAfterBlockOrFrame: return "silent after a block or frame";
    case Fault::ShortStall: return "stall shorter than the timeout";
    case Fault::LongStall: return "stall longer than the timeout";
    case Fault::WrongModelCode: return "wrong model code";
    case Fault::Missing55: return "missing 0x55";
    case Fault::StrayBeforeX: return "stray byte before X";
    case Fault::PortDisappears: return "port disappears";
    default: return "?";
    }
}

struct Counts
{
    int runs = 0;
    int successes = 0;
    int failures = 0;
    int corruptedImages = 0;
    int radioNotAsSent = 0;
    int hangs = 0;
    int leakedPorts = 0;
};

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

QByteArray radioBytes(const vradio::VirtualRadio &radio, int address, int count)
{
    const std::vector<uint8_t> bytes = radio.memory(address, count);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

class Soak
{
public:
    Soak(quint32 seed, double scale)
        : m_random(seed)
        , m_scale(scale)
    {
    }

    void run(int runs);
    // Only the transfer of that name (a row of the table below), when not empty.
    QString only;

private:
    int scaled(int ms) const { return std::max(1, int(std::lround(ms * m_scale))); }
    int bound(const Pacing &pacing, int frames) const;
    vradio::Faults chooseFaults(Fault fault, Kind kind, int frames, int *unplugAfter);
    void one(const Transfer &transfer, Fault fault);
    void oneChangedWrite(Fault fault);
    void oneQuickWrite(Fault fault);
    void count(const char *name, Fault fault, const Counts &result);

    QRandomGenerator m_random;
    double m_scale;
    Counts m_total;
    std::map<std::string, Counts> m_byTransfer;
    std::map<std::string, Counts> m_byFault;
    double m_longestShare = 0; // of a transfer's bound
    // The quick write by the situation its baseline met.
    struct QuickPaths
    {
        int runs = 0, quick = 0, fellBack = 0, done = 0, quickDone = 0;
    };
    std::map<std::string, QuickPaths> m_quickPaths;
};

// The longest a transfer may take when every reply comes just before its timeout and
// every retry is used, plus what the machine adds per frame.
int Soak::bound(const Pacing &pacing, int frames) const
{
    const int perFrame = scaled(pacing.firstTickMs)
        + (pacing.byteTickMs > 0 ? Protocol::WriteFrameBytes * scaled(pacing.byteTickMs) : 0)
        + scaled(std::max(pacing.timeoutAfterByteMs, pacing.timeoutAfterLastMs));
    const int attempt = (frames + 1) * (perFrame + 2);
    return (pacing.retries + 1) * (attempt + scaled(pacing.retryPauseMs)) + 3000;
}

vradio::Faults Soak::chooseFaults(Fault fault, Kind kind, int frames, int *unplugAfter)
{
    vradio::Faults faults;
    const int reply = int(m_random.bounded(frames + 1)); // 0: the identification
    const int timeout = scaled(Pacing::transferWindow().timeoutAfterLastMs);
    switch (fault) {
    case Fault::DroppedByte: {
        // Anywhere in what the radio says in its first attempt.
        const int out = 50 + frames * (kind == Kind::Read ? 69 : 1);
        faults.dropOutputByte = 1 + int(m_random.bounded(out));
        break;
    }
    case Fault::NoiseBeforeReply: {
        faults.noiseBeforeReply = reply;
        // Line noise, with the bytes that mean something on this line over-represented.
        static const uint8_t telling[] = {0x58, 0x06, 0x55, 0x40, 0x00, 0xFF};
        const int n = 1 + int(m_random.bounded(3));
        for (int i = 0; i < n; ++i)
            faults.noiseBytes.push_back(m_random.bounded(2) ? telling[m_random.bounded(int(sizeof telling))]
                                                            : uint8_t(m_random.bounded(256)));
        break;
    }
    case Fault::GarbageAfterReplies: faults.garbageAfterReplies = 1 + int(m_random.bounded(8)); break;
    case Fault::GarbageBeforeIdentification: faults.garbageBeforeIdentification = 1 + int(m_random.bounded(5)); break;
    case Fault::SilentAfterBlockOrFrame:
        if (kind == Kind::Read)
            faults.silentAfterReadBlocks = int(m_random.bounded(frames));
        else
            faults.silentAfterWriteFrames = int(m_random.bounded(frames));
        break;
    case Fault::ShortStall:
        faults.stallReply = reply;
        faults.stallMs = int(timeout * (0.1 + 0.7 * m_random.generateDouble()));
        break;
    case Fault::LongStall:
        faults.stallReply = reply;
        faults.stallMs = int(timeout * (1.2 + 3.0 * m_random.generateDouble()));
        break;
    case Fault::WrongModelCode: faults.wrongModelCode = true; break;
    case Fault::Missing55: faults.missingEndMark = true; break;
    case Fault::StrayBeforeX:
        faults.strayBeforeX = 1 + int(m_random.bounded(2));
        faults.strayBlock = m_random.bounded(4) == 0 ? 0 : 1 + int(m_random.bounded(frames));
        break;
    case Fault::PortDisappears: *unplugAfter = int(m_random.bounded(frames)); break;
    default: break;
    }
    return faults;
}

// A fresh virtual radio behind COM1 of `links`, the folder the program resolves COM numbers
// in for this run.
std::unique_ptr<vradio::VirtualRadio> radioOnCom1(const QString &links)
{
    PortNames::setLinkFolder(links);
    PortNames::setPortNumber(1);
    auto radio = std::make_unique<vradio::VirtualRadio>();
    std::string error;
    if (!radio->open(&error) || !radio->linkAsCom(1, links.toStdString(), &error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        std::exit(2);
    }
    return radio;
}

void Soak::one(const Transfer &transfer, Fault fault)
{
    QTemporaryDir links;
    auto radio = radioOnCom1(links.path());
    const QString device = QFileInfo(QString::fromStdString(radio->slavePath())).canonicalFilePath();

    // Random radio memory; an image whose channels pass the band check, the rest random.
    std::vector<uint8_t> memory(vradio::VirtualRadio::MemoryBytes);
    for (uint8_t &b : memory)
        b = uint8_t(m_random.bounded(256));
    radio->setMemory(0, memory);
    // The program's document starts each run afresh: a random image whose channels pass
    // the band check, and a random alignment block (outside the image).
    Document &document = Document::instance();
    document.initialise([this](Document::Contents &c) {
        for (int address = 0; address < MemoryImage::Size; ++address)
            c.image.setAt(address, uint8_t(m_random.bounded(256)));
        defaultChannels(c.image);
        for (char &b : c.alignment)
            b = char(m_random.bounded(256));
        return true;
    });
    const MemoryImage &image = document.image();
    const QByteArray &array = document.alignment();
    const MemoryImage before = image;
    const QByteArray arrayBefore = array;

    TransferWindow *window = transfer.open();
    ExchangeEngine &engine = window->engine();
    int unplugAfter = -1;
    const int frames = transfer.kind == Kind::Read ? transfer.area.readCount() : transfer.area.writeCount();
    radio->setFaults(chooseFaults(fault, transfer.kind, frames, &unplugAfter));
    radio->start();

    bool ended = false;
    bool engineFinished = false;
    QEventLoop loop;
    auto end = [&] {
        ended = true;
        loop.quit();
    };
    QObject::connect(&engine, &ExchangeEngine::finished, &loop, [&] { engineFinished = true; });
    QObject::connect(&engine, &ExchangeEngine::finished, &loop, end, Qt::QueuedConnection);
    QObject::connect(&engine, &ExchangeEngine::failed, &loop, end, Qt::QueuedConnection);
    QObject::connect(&engine, &ExchangeEngine::portOpenFailed, &loop, end, Qt::QueuedConnection);
    // The cable comes out: the line hangs up and the COM link goes with the device, so a
    // retry cannot open whatever pseudo-terminal takes the device's number next.
    auto unplug = [&] {
        radio->hangUp();
        radio->removeLink();
    };
    QObject::connect(&engine, &ExchangeEngine::progress, &loop, [&](int done) {
        if (done == unplugAfter)
            unplug();
    });
    QObject::connect(&engine, &ExchangeEngine::identified, &loop, [&] {
        if (unplugAfter == 0)
            unplug();
    });

    MessageBox::takeRecorded();
    QElapsedTimer clock;
    clock.start();
    window->findChild<QPushButton *>(QString::fromLatin1(transfer.button))->click();
    const int limit = bound(engine.pacing(), std::max(engine.total(), frames));
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    // A transfer the window refuses before it starts has ended too.
    const bool started = engine.isBusy();
    if (started)
        loop.exec();
    QCoreApplication::processEvents();
    const bool hung = started && !ended;

    const QStringList texts = [] {
        QStringList t;
        for (const MessageBox::Record &r : MessageBox::takeRecorded())
            t << r.text;
        return t;
    }();
    // Each window words its completion in its own way; a failure is always the same box,
    // also when the replies came in but could not be stored.
    const bool success = engineFinished && !texts.contains(CommonText::FailConnect.text(false));

    if (started)
        m_longestShare = std::max(m_longestShare, double(clock.elapsed()) / limit);
    Counts result;
    result.runs = 1;
    if (hung) {
        result.hangs = 1;
        engine.stop();
    }
    if (engine.port().isOpen() || SerialPort::isHeld(device))
        result.leakedPorts = 1;
    (success ? result.successes : result.failures) = 1;

    // What the image and the array must hold now, row by row: the radio's bytes where a
    // successful read stored a block, the old bytes everywhere else.
    if (transfer.kind == Kind::Read) {
        MemoryImage expected = before;
        QByteArray expectedArray = arrayBefore;
        if (success) {
            for (const AreaTransfer::Block &block : transfer.area.reads()) {
                const QByteArray bytes = radioBytes(*radio, block.address, Area::BlockBytes);
                if (block.place == AreaTransfer::Place::ImageRows)
                    expected.setRows(block.offset, bytes);
                else if (block.place == AreaTransfer::Place::Array)
                    expectedArray.replace(block.offset, bytes.size(), bytes);
            }
        }
        result.corruptedImages = image == expected && array == expectedArray ? 0 : 1;
    } else {
        // A write never changes the image, apart from the 5-tone tables a bulk write renews.
        MemoryImage expected = before;
        if (transfer.bulkWriteSteps)
            BulkWrite::prepare(expected);
        result.corruptedImages = image == expected && array == arrayBefore ? 0 : 1;
        // The radio: every frame's bytes at its address, the rest as it was.
        if (success) {
            std::vector<uint8_t> expected = memory;
            for (const Protocol::Frame &frame : transfer.area.frames(image, array)) {
                for (int i = 0; i < frame.data.size(); ++i)
                    expected[size_t(frame.address + i)] = uint8_t(frame.data[i]);
            }
            result.radioNotAsSent = radio->memory(0, int(expected.size())) == expected ? 0 : 1;
        }
    }
    if (result.corruptedImages || result.radioNotAsSent || result.hangs || result.leakedPorts) {
        std::printf("  run %d: %s, fault \"%s\": %s%s%s%s (%lld ms, messages: %s)\n", m_total.runs + 1, transfer.name,
                    faultName(fault), result.corruptedImages ? "image corrupted " : "",
                    result.radioNotAsSent ? "radio not as sent " : "", result.hangs ? "hang " : "",
                    result.leakedPorts ? "port leaked " : "", (long long)clock.elapsed(),
                    qPrintable(texts.join(QStringLiteral(" | "))));
    }

    count(transfer.name, fault, result);
    delete window;
    radio.reset();
    PortNames::resetLinkFolder();
}

void Soak::count(const char *name, Fault fault, const Counts &result)
{
    for (Counts *c : {&m_total, &m_byTransfer[name], &m_byFault[faultName(fault)]}) {
        c->runs += result.runs;
        c->successes += result.successes;
        c->failures += result.failures;
        c->corruptedImages += result.corruptedImages;
        c->radioNotAsSent += result.radioNotAsSent;
        c->hangs += result.hangs;
        c->leakedPorts += result.leakedPorts;
    }
}

const char ChangedWriteName[] = "changed-only write";

void Soak::oneChangedWrite(Fault fault)
{
    QTemporaryDir links;
    auto radio = radioOnCom1(links.path());
    const QString device = QFileInfo(QString::fromStdString(radio->slavePath())).canonicalFilePath();

    Document &document = Document::instance();
    document.initialise([this](Document::Contents &c) {
        for (int address = 0; address < MemoryImage::Size; ++address)
            c.image.setAt(address, uint8_t(m_random.bounded(256)));
        defaultChannels(c.image);
        return true;
    });
    const MemoryImage before = document.image();
    MemoryImage plan = before;
    BulkWrite::prepare(plan);
    // The radio holds the plan but for a few rows, and random bytes beyond what is written.
    std::vector<uint8_t> memory(vradio::VirtualRadio::MemoryBytes);
    for (uint8_t &b : memory)
        b = uint8_t(m_random.bounded(256));
    const QByteArray planned = plan.rows(0, Area::BulkWriteFrames);
    std::copy(planned.begin(), planned.end(), memory.begin());
    const int changed = 1 + int(m_random.bounded(40));
    for (int i = 0; i < changed; ++i)
        memory[size_t(m_random.bounded(Area::BulkWriteFrames) * 16 + m_random.bounded(16))] ^= uint8_t(1 + m_random.bounded(255));
    radio->setMemory(0, memory);
    const QByteArray heldBefore(reinterpret_cast<const char *>(memory.data()), Area::BulkReadRows.byteCount());

    int unplugAfter = -1;
    const Kind phase = m_random.bounded(2) ? Kind::Read : Kind::Write;
    radio->setFaults(chooseFaults(fault, phase, phase == Kind::Read ? Area::BulkReadBlocks : changed, &unplugAfter));
    radio->start();

    MessageBox::takeRecorded();
    QElapsedTimer clock;
    clock.start();
    auto *window = new ChangesWindow;
    // Today's path: what the history holds from earlier runs is another radio's memory.
    window->findChild<QCheckBox *>(QStringLiteral("Check_whole_read"))->setChecked(true);
    ChangedWrite &changes = window->changes();
    auto unplug = [&] {
        radio->hangUp();
        radio->removeLink();
    };
    const ChangedWrite::Stage unplugStage = phase == Kind::Read ? ChangedWrite::Stage::Reading : ChangedWrite::Stage::Writing;
    QObject::connect(&changes, &ChangedWrite::progress, window, [&](int done) {
        if (done == unplugAfter && changes.stage() == unplugStage)
            unplug();
    });
    const int limit = bound(Pacing::transferWindow(), Area::BulkReadBlocks) + bound(Pacing::writeWindow(), changed)
                      + bound(Pacing::transferWindow(), changed);
    auto waitSettled = [&] {
        QEventLoop loop;
        bool settled = false;
        QObject::connect(window, &ChangesWindow::settled, &loop, [&] {
            settled = true;
            loop.quit();
        }, Qt::QueuedConnection);
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
        return settled;
    };
    window->show();
    bool hung = !waitSettled() && changes.isBusy();
    bool wrote = false;
    if (!hung && changes.stage() == ChangedWrite::Stage::Compared && !changes.frames().isEmpty()) {
        window->findChild<QPushButton *>(QStringLiteral("Command_write"))->click();
        wrote = changes.isBusy();
        if (wrote)
            hung = !waitSettled();
    }
    QCoreApplication::processEvents();
    const bool success = changes.stage() == ChangedWrite::Stage::Done;
    m_longestShare = std::max(m_longestShare, double(clock.elapsed()) / limit);

    Counts result;
    result.runs = 1;
    if (hung) {
        result.hangs = 1;
        changes.stop();
    }
    if (window->engine().port().isOpen() || SerialPort::isHeld(device))
        result.leakedPorts = 1;
    (success ? result.successes : result.failures) = 1;
    // The document is never touched; the backup, when the write began, holds what the
    // radio held before it.
    bool intact = document.image() == before;
    if (wrote) {
        MemoryImage kept;
        intact = intact && DataFile::load(kept, window->backupPath()).ok
                 && kept.rows(0, Area::BulkReadRows.rowCount()) == heldBefore;
    }
    result.corruptedImages = intact ? 0 : 1;
    // Reported done: the radio holds the plan in every row a write sends.
    if (success)
        result.radioNotAsSent = radio->memory(0, Area::BulkWriteRows.byteCount()) == std::vector<uint8_t>(planned.begin(), planned.end()) ? 0 : 1;
    const QStringList texts = [] {
        QStringList t;
        for (const MessageBox::Record &r : MessageBox::takeRecorded())
            t << r.text;
        return t;
    }();
    if (result.corruptedImages || result.radioNotAsSent || result.hangs || result.leakedPorts) {
        std::printf("  run %d: %s, fault \"%s\": %s%s%s%s (%lld ms, messages: %s)\n", m_total.runs + 1, ChangedWriteName,
                    faultName(fault), result.corruptedImages ? "image or backup corrupted " : "",
                    result.radioNotAsSent ? "done but radio not as planned " : "", result.hangs ? "hang " : "",
                    result.leakedPorts ? "port leaked " : "", (long long)clock.elapsed(),
                    qPrintable(texts.join(QStringLiteral(" | "))));
    }
    count(ChangedWriteName, fault, result);
    delete window;
    radio.reset();
    PortNames::resetLinkFolder();
}

const char QuickWriteName[] = "quick write";

// The quick write ("Write changes to radio..." standing on the radio's history), in one of
// the situations a baseline meets, with a random fault on the line as well:
//   holds       the baseline is what the radio holds;
//   stale here  a block the plan touches was changed on the radio since: it must fall back;
//   stale there a block no change touches was changed since: it may write, and that block
//               keeps the radio's own bytes;
//   cut off     a quick write stopped half way before this run: it must fall back;
//   damaged     the baseline file is garbage: it must fall back;
//   other radio the baseline is another radio's: it must not be used.
// Reported done, every block the run read before writing holds the plan; the rest of the
// radio is as it was, unless the run read the whole radio. The backup holds what the radio
// held in those blocks, and the history's newest snapshot what the radio holds in them now.
void Soak::oneQuickWrite(Fault fault)
{
    enum Situation { Holds, StaleHere, StaleThere, CutOff, Damaged, OtherRadio, Situations };
    static const char *const situationNames[] = {"holds", "stale here", "stale there", "cut off", "damaged", "other radio"};
    Situation situation = Situation(m_random.bounded(int(Situations)));
    // A history of its own for each run, so that only the situation decides the baseline.
    QTemporaryDir links, history;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", history.path().toLocal8Bit());
    RadioHistory::install();
    auto radio = radioOnCom1(links.path());
    const QString device = QFileInfo(QString::fromStdString(radio->slavePath())).canonicalFilePath();

    Document &document = Document::instance();
    document.initialise([this](Document::Contents &c) {
        for (int address = 0; address < MemoryImage::Size; ++address)
            c.image.setAt(address, uint8_t(m_random.bounded(256)));
        defaultChannels(c.image);
        return true;
    });
    const MemoryImage before = document.image();
    MemoryImage plan = before;
    BulkWrite::prepare(plan);
    std::vector<uint8_t> memory(vradio::VirtualRadio::MemoryBytes);
    for (uint8_t &b : memory)
        b = uint8_t(m_random.bounded(256));
    const QByteArray planned = plan.rows(0, Area::BulkWriteFrames);
    std::copy(planned.begin(), planned.end(), memory.begin());
    std::vector<int> changedRows;
    const int changed = 1 + int(m_random.bounded(12));
    for (int i = 0; i < changed; ++i) {
        const int row = int(m_random.bounded(Area::BulkWriteFrames));
        memory[size_t(row * 16 + m_random.bounded(16))] ^= uint8_t(1 + m_random.bounded(255));
        changedRows.push_back(row);
    }
    radio->setMemory(0, memory);
    // The history knows the radio as it is now.
    MemoryImage held;
    held.setRows(0, QByteArray(reinterpret_cast<const char *>(memory.data()), Area::BulkReadRows.byteCount()));
    RadioIdentity id;
    id.number = QString::fromStdString(vradio::Identity{}.number);
    id.modelName = QString::fromStdString(vradio::Identity{}.modelName);
    if (situation == OtherRadio)
        id.number = QStringLiteral("ORV000000000000A");
    const RadioHistory::Recorded baseline = RadioHistory::record(held, id, RadioHistory::Kind::Written);
    auto blockOf = [](int row) { return row / 4; };
    auto touched = [&](int block) {
        return std::any_of(changedRows.begin(), changedRows.end(), [&](int r) { return blockOf(r) == block; });
    };
    if (situation == StaleHere) {
        const int row = changedRows.front() / 4 * 4 + int(m_random.bounded(4));
        memory[size_t(row * 16 + m_random.bounded(16))] ^= 0x80;
    } else if (situation == StaleThere) {
        int block = 0;
        do
            block = int(m_random.bounded(Area::BulkWriteFrames / 4));
        while (touched(block));
        memory[size_t(block * 64 + m_random.bounded(64))] ^= 0x80;
    } else if (situation == Damaged) {
        QFile file(baseline.path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(" 0 0 0 1 2\r\n");
    }
    radio->setMemory(0, memory);
    radio->start();

    Counts result;
    result.runs = 1;
    MessageBox::takeRecorded();
    QElapsedTimer clock;
    clock.start();
    ChangesWindow *window = nullptr;
    const int limit = 2 * bound(Pacing::transferWindow(), Area::BulkReadBlocks) + bound(Pacing::writeWindow(), changed)
                      + bound(Pacing::transferWindow(), changed);
    auto waitSettled = [&] {
        QEventLoop loop;
        bool settled = false;
        QObject::connect(window, &ChangesWindow::settled, &loop, [&] {
            settled = true;
            loop.quit();
        }, Qt::QueuedConnection);
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
        return settled;
    };
    // Cut off: a quick write first, which stops after some of its frames.
    if (situation == CutOff) {
        window = new ChangesWindow;
        window->show();
        if (waitSettled() && window->changes().stage() == ChangedWrite::Stage::Compared && window->changes().frames().size() > 1) {
            vradio::Faults silent;
            silent.silentAfterWriteFrames = 1 + int(m_random.bounded(window->changes().frames().size() - 1));
            radio->setFaults(silent);
            window->findChild<QPushButton *>(QStringLiteral("Command_write"))->click();
            if (window->changes().isBusy())
                waitSettled();
        }
        // Nothing went (a single frame, or the line failed first): the baseline still holds.
        if (window->changes().failure() != ChangedWrite::Failure::Write || window->changes().framesSent() == 0)
            situation = Holds;
        delete window;
        memory = radio->memory(0, vradio::VirtualRadio::MemoryBytes);
    }
    const bool mustFallBack = situation == StaleHere || situation == CutOff || situation == Damaged || situation == OtherRadio;

    int unplugAfter = -1;
    const Kind phase = m_random.bounded(2) ? Kind::Read : Kind::Write;
    radio->setFaults(chooseFaults(fault, phase, phase == Kind::Read ? 4 : changed, &unplugAfter));
    window = new ChangesWindow;
    ChangedWrite &changes = window->changes();
    const ChangedWrite::Stage unplugStage = phase == Kind::Read ? ChangedWrite::Stage::Probing : ChangedWrite::Stage::Writing;
    QObject::connect(&changes, &ChangedWrite::progress, window, [&](int done) {
        if (done == unplugAfter && changes.stage() == unplugStage) {
            radio->hangUp();
            radio->removeLink();
        }
    });
    window->show();
    bool hung = !waitSettled() && changes.isBusy();
    bool wrote = false;
    const bool quick = changes.isQuick();
    const bool compared = !hung && changes.stage() == ChangedWrite::Stage::Compared;
    const QVector<int> probed = changes.probedBlocks();
    if (!hung && changes.stage() == ChangedWrite::Stage::Compared && !changes.frames().isEmpty()) {
        window->findChild<QPushButton *>(QStringLiteral("Command_write"))->click();
        wrote = changes.isBusy();
        if (wrote)
            hung = !waitSettled();
    }
    QCoreApplication::processEvents();
    const bool success = changes.stage() == ChangedWrite::Stage::Done;
    m_longestShare = std::max(m_longestShare, double(clock.elapsed()) / limit);
    if (hung) {
        result.hangs = 1;
        changes.stop();
    }
    if (window->engine().port().isOpen() || SerialPort::isHeld(device))
        result.leakedPorts = 1;
    (success ? result.successes : result.failures) = 1;

    const std::vector<uint8_t> now = radio->memory(0, Area::BulkWriteRows.byteCount());
    bool asPlanned = true;
    bool intact = document.image() == before;
    if (success && quick) {
        // Only the blocks it checked may have changed, and they hold the plan now.
        for (int block = 0; block < Area::BulkWriteFrames / 4; ++block) {
            const bool checked = probed.contains(block * Area::BlockBytes);
            for (int i = block * 64; i < block * 64 + 64; ++i) {
                if (now[size_t(i)] != (checked ? uint8_t(planned[i]) : memory[size_t(i)]))
                    asPlanned = false;
            }
        }
    } else if (success) {
        asPlanned = now == std::vector<uint8_t>(planned.begin(), planned.end());
    }
    // A quick write where the radio had changed under a touched block, or with a baseline
    // it must not use, is a wrong path even when it ends well.
    if (quick && mustFallBack && wrote)
        asPlanned = false;
    if (wrote) {
        MemoryImage kept;
        intact = intact && DataFile::load(kept, window->backupPath()).ok;
        for (int block : probed)
            for (int i = block; i < block + Area::BlockBytes && intact; ++i)
                intact = kept.at(i) == memory[size_t(i)];
    }
    if (success) {
        // The history's newest snapshot holds what the radio holds where it was written.
        MemoryImage newest;
        const RadioHistory::Snapshot last = RadioHistory::baseline(changes.identity().number);
        intact = intact && RadioHistory::load(last, newest).ok;
        for (const ExchangeEngine::Frame &f : changes.frames())
            for (int i = 0; i < Area::FrameBytes && intact; ++i)
                intact = newest.at(f.address + i) == now[size_t(f.address + i)];
    }
    result.corruptedImages = intact ? 0 : 1;
    result.radioNotAsSent = asPlanned ? 0 : 1;
    QuickPaths &paths = m_quickPaths[situationNames[situation]];
    ++paths.runs;
    // Compared: the check of the touched blocks, or the whole read, got through.
    if (compared)
        ++(quick ? paths.quick : paths.fellBack);
    paths.done += success ? 1 : 0;
    paths.quickDone += success && quick ? 1 : 0;
    if (result.corruptedImages || result.radioNotAsSent || result.hangs || result.leakedPorts) {
        const QStringList texts = [] {
            QStringList t;
            for (const MessageBox::Record &r : MessageBox::takeRecorded())
                t << r.text;
            return t;
        }();
        std::printf("  run %d: %s (%s%s), fault \"%s\": %s%s%s%s (%lld ms, messages: %s)\n", m_total.runs + 1, QuickWriteName,
                    situationNames[situation], quick ? ", quick" : ", fell back", faultName(fault),
                    result.corruptedImages ? "image, backup or history wrong " : "",
                    result.radioNotAsSent ? "done but radio not as planned " : "", result.hangs ? "hang " : "",
                    result.leakedPorts ? "port leaked " : "", (long long)clock.elapsed(),
                    qPrintable(texts.join(QStringLiteral(" | "))));
    }
    MessageBox::takeRecorded();
    count(QuickWriteName, fault, result);
    delete window;
    radio.reset();
    PortNames::resetLinkFolder();
    ConfirmedMemory::setRecorder({});
    qputenv("XDG_DATA_HOME", dataHome);
}

void printRow(const char *label, const Counts &c)
{
    std::printf("  %-34s %6d %9d %8d %9d %9d %6d %7d\n", label, c.runs, c.successes, c.failures, c.corruptedImages,
                c.radioNotAsSent, c.hangs, c.leakedPorts);
}

void Soak::run(int runs)
{
    const int fdsBefore = openDescriptors();
    QElapsedTimer clock;
    clock.start();
    const int kinds = int(transfers().size()) + 2;
    for (int i = 0, k = 0; i < runs; ++k) {
        const int kind = k % kinds;
        const char *name = kind == kinds - 1   ? QuickWriteName
                           : kind == kinds - 2 ? ChangedWriteName
                                               : transfers()[size_t(kind)].name;
        if (!only.isEmpty() && only != QLatin1String(name))
            continue;
        const Fault fault = Fault(m_random.bounded(int(Fault::Count)));
        if (kind == kinds - 1)
            oneQuickWrite(fault);
        else if (kind == kinds - 2)
            oneChangedWrite(fault);
        else
            one(transfers()[size_t(kind)], fault);
        ++i;
        if ((i + 1) % 100 == 0) {
            std::printf("  ... %d runs, %.0f s\n", i + 1, clock.elapsed() / 1000.0);
            std::fflush(stdout);
        }
    }
    const int fdsAfter = openDescriptors();

    std::printf("\n  %-34s %6s %9s %8s %9s %9s %6s %7s\n", "", "runs", "succeeded", "failed", "corrupted", "radio!=", "hangs",
                "leaked");
    for (const Transfer &t : transfers())
        printRow(t.name, m_byTransfer[t.name]);
    printRow(ChangedWriteName, m_byTransfer[ChangedWriteName]);
    printRow(QuickWriteName, m_byTransfer[QuickWriteName]);
    if (!m_quickPaths.empty()) {
        std::printf("\n  %-34s %6s %9s %9s %9s %9s\n", "quick write, baseline", "runs", "quick", "fell back", "done",
                    "quick+done");
        for (const auto &[situation, p] : m_quickPaths)
            std::printf("  %-34s %6d %9d %9d %9d %9d\n", situation.c_str(), p.runs, p.quick, p.fellBack, p.done,
                        p.quickDone);
    }
    std::printf("\n");
    for (int f = 0; f < int(Fault::Count); ++f)
        printRow(faultName(Fault(f)), m_byFault[faultName(Fault(f))]);
    std::printf("\n");
    printRow("all", m_total);
    std::printf("\nruns %d, successes %d, failures %d, corrupted images %d, radio not equal to frames sent %d, "
                "hangs %d, leaked ports %d (open descriptors %d before, %d after), %.0f s\n",
                m_total.runs, m_total.successes, m_total.failures, m_total.corruptedImages, m_total.radioNotAsSent,
                m_total.hangs, m_total.leakedPorts, fdsBefore, fdsAfter, clock.elapsed() / 1000.0);
    std::printf("the longest transfer took %.0f %% of its worst-case bound\n", m_longestShare * 100);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 1000;
    quint32 seed = QRandomGenerator::global()->generate();
    double scale = 0.05;
    QString only;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs"))
            runs = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toUInt();
        else if (args[i] == QLatin1String("--scale"))
            scale = args[i + 1].toDouble();
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1];
    }
    Timer::setScale(scale);
    // The changed-only write keeps its backups here, not in the user's folder.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    MessageBox::startRecording();
    installBulkWriteSteps();
    std::printf("soak: %d transfers, seed %u, timers x%.3f\n", runs, seed, scale);
    Soak soak(seed, scale);
    soak.only = only;
    soak.run(runs);
    return 0;
}
