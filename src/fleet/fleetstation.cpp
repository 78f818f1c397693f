#include "fleet/fleetstation.h"

#include "fleet/fleetplan.h"
#include "files/backups.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/imagediff.h"
#include "link/areatransfer.h"
#include "link/bulkread.h"
#include "link/bulkwrite.h"
#include "link/changedwritetexts.h"
#include "link/confirmedmemory.h"

#include <QTimer>

namespace {

// The handshake as the main window sends it, but no retry and short waits: a port with
// nothing on it is asked again about every two seconds.
constexpr Pacing PollPacing{15, 10, 1000, 1000, 1000, 0};

bool sameRadio(const RadioIdentity &a, const RadioIdentity &b)
{
    return FleetPlan::radioKey(a.number) == FleetPlan::radioKey(b.number);
}

} // namespace

FleetStation::FleetStation(const PortChoice &port, FleetPlan &plan, bool fullWrite, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_plan(plan)
    , m_fullWrite(fullWrite)
    , m_engine(PollPacing)
    , m_changes(m_engine)
{
    // Each port its own: the process-wide port number stands for one port only.
    if (!port.device.isEmpty())
        m_engine.port().useDevice(port.device);
    else
        m_engine.port().usePortNumber(port.number);

    connect(&m_pollTimer, &Timer::timeout, this, [this] {
        m_pollTimer.stop();
        poll();
    });
    connect(&m_engine, &ExchangeEngine::identified, this, &FleetStation::engineIdentified);
    connect(&m_engine, &ExchangeEngine::finished, this, [this] {
        switch (m_phase) {
        case Phase::Waiting:
        case Phase::Watching: pollAnswered(m_heard); break;
        // The write's exchange is still announcing its end; the verify opens the port anew.
        case Phase::FullWrite: QTimer::singleShot(0, this, &FleetStation::startVerify); break;
        case Phase::FullVerify: verifyRead(); break;
        default: break;
        }
    });
    connect(&m_engine, &ExchangeEngine::failed, this, &FleetStation::engineFailed);
    // A retry whose port no longer opens ends the exchange as well.
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this, [this] {
        if (!m_starting)
            engineFailed();
    });
    connect(&m_changes, &ChangedWrite::stageChanged, this, [this](ChangedWrite::Stage stage) {
        if (m_phase != Phase::Changed)
            return;
        switch (stage) {
        case ChangedWrite::Stage::Identifying: setState(State::Identifying); break;
        case ChangedWrite::Stage::Probing:
        case ChangedWrite::Stage::Reading: setState(State::Reading); break;
        case ChangedWrite::Stage::Writing: setState(State::Writing, 0, int(m_changes.frames().size())); break;
        case ChangedWrite::Stage::Checking:
            setState(State::Checking, 0, int(ChangedWrite::checkBlocks(m_changes.frames()).size()));
            // Every frame went; a stop asked for meanwhile spares the radio the read-back.
            if (m_stopAfterFrame)
                QTimer::singleShot(0, this, [this] {
                    if (m_phase == Phase::Changed && m_changes.stage() == ChangedWrite::Stage::Checking)
                        stopAfterFrame();
                });
            break;
        default: break;
        }
    });
    connect(&m_changes, &ChangedWrite::progress, this, [this](int done, int total) {
        if (m_phase != Phase::Changed)
            return;
        switch (m_changes.stage()) {
        case ChangedWrite::Stage::Probing:
        case ChangedWrite::Stage::Reading: setState(State::Reading, done, total); break;
        case ChangedWrite::Stage::Writing: setState(State::Writing, done, total); break;
        case ChangedWrite::Stage::Checking: setState(State::Checking, done, total); break;
        default: break;
        }
    });
    // After the changed write's own count, so that a stop here finds it up to date.
    connect(&m_engine, &ExchangeEngine::progress, this, &FleetStation::frameAcknowledged);
    connect(&m_changes, &ChangedWrite::compared, this, [this] {
        // The comparison ends inside the engine's own end of the read.
        if (m_phase == Phase::Changed)
            QTimer::singleShot(0, this, &FleetStation::changedCompared);
    });
    connect(&m_changes, &ChangedWrite::finished, this, [this] {
        if (m_phase == Phase::Changed)
            succeed(m_changes.resultText(false) + quickNote(), int(m_changes.frames().size()));
    });
    connect(&m_changes, &ChangedWrite::failed, this, [this] {
        if (m_phase != Phase::Changed)
            return;
        const QString text = m_changes.resultText(false);
        fail(text.isEmpty() ? QStringLiteral("the read before the comparison did not complete; nothing was written") : text,
             m_changes.framesSent());
    });
}

bool FleetStation::isProgramming() const
{
    return m_phase == Phase::Changed || m_phase == Phase::FullWrite || m_phase == Phase::FullVerify;
}

void FleetStation::start()
{
    if (m_phase != Phase::Idle)
        return;
    m_phase = Phase::Waiting;
    setState(State::Waiting);
    poll();
}

void FleetStation::requestStop()
{
    m_stopRequested = true;
    if (!isProgramming() && m_phase != Phase::Stopped)
        stopNow();
}

void FleetStation::stopNow()
{
    m_pollTimer.stop();
    m_changes.stop();
    m_engine.stop();
    m_phase = Phase::Stopped;
    setState(State::Stopped);
    emit stopped();
}

void FleetStation::stopAfterFrame()
{
    m_stopRequested = true;
    m_stopAfterFrame = true;
    if (m_phase == Phase::Stopped)
        return;
    if (!isProgramming()) {
        stopNow();
        return;
    }
    const bool writing = m_phase == Phase::FullWrite
                         || (m_phase == Phase::Changed && m_changes.stage() == ChangedWrite::Stage::Writing);
    // A frame that has gone out is acknowledged before the port closes (frameAcknowledged);
    // one that is only queued is not sent.
    if (writing && m_engine.isIdentified() && m_engine.isFrameSent() && m_engine.isWriting())
        return;
    const int sent = writing ? m_engine.completed() : 0;
    const int total = m_phase == Phase::FullWrite ? Area::BulkWriteFrames : int(m_changes.frames().size());
    const bool checking = m_phase == Phase::FullVerify
                          || (m_phase == Phase::Changed && m_changes.stage() == ChangedWrite::Stage::Checking);
    m_changes.stop();
    m_engine.stop();
    if (writing && sent > 0)
        fail(QStringLiteral("stopped after %1 of %2 frames; the radio holds a mix of old and new settings, and "
                            "programming it again finishes the job")
                 .arg(sent)
                 .arg(total),
             sent);
    else if (checking)
        fail(QStringLiteral("stopped after writing all %1 frames, before the read-back; programming it again checks them")
                 .arg(total),
             total);
    else
        fail(QStringLiteral("stopped before writing; nothing was written"), 0);
}

void FleetStation::frameAcknowledged(int done, int total)
{
    if (m_phase == Phase::FullWrite)
        setState(State::Writing, done, total);
    else if (m_phase == Phase::FullVerify)
        setState(State::Checking, done, total);
    if (!m_stopAfterFrame)
        return;
    const bool writing = m_phase == Phase::FullWrite
                         || (m_phase == Phase::Changed && m_changes.stage() == ChangedWrite::Stage::Writing);
    // The next frame is only queued yet: stopping here sends nothing of it.
    if (writing)
        stopAfterFrame();
}

void FleetStation::setState(State state, int done, int total)
{
    const int row = m_row >= 0 ? m_row : m_shownRow;
    if (state == m_state && done == m_done && total == m_total && row == m_shownRow)
        return;
    m_state = state;
    m_done = done;
    m_total = total;
    m_shownRow = row;
    emit stateChanged();
}

bool FleetStation::startEngine(const std::function<bool()> &start)
{
    m_starting = true;
    const bool started = start();
    m_starting = false;
    return started;
}

void FleetStation::poll()
{
    if (m_phase != Phase::Waiting && m_phase != Phase::Watching)
        return;
    m_engine.setPacing(PollPacing);
    if (startEngine([this] { return m_engine.startIdentification(); }))
        return;
    // Nothing to open (a USB cable pulled out takes its device along): no radio there.
    m_phase = Phase::Waiting;
    setState(State::Waiting);
    m_pollTimer.start(PollMs);
}

void FleetStation::engineIdentified(const RadioIdentity &identity)
{
    switch (m_phase) {
    case Phase::Waiting:
    case Phase::Watching: m_heard = identity; break;
    case Phase::FullWrite:
    case Phase::FullVerify:
        // Swapped between the poll and the write: this radio's row is not the one taken.
        // The first frame is only queued yet, so stopping here sends nothing of it.
        if (!sameRadio(identity, m_radio)) {
            m_engine.stop();
            fail(QStringLiteral("another radio answered (%1)").arg(identity.numberText()),
                 m_phase == Phase::FullVerify ? Area::BulkWriteFrames : 0);
        }
        break;
    default: break;
    }
}

void FleetStation::engineFailed()
{
    switch (m_phase) {
    case Phase::Waiting:
    case Phase::Watching: pollSilent(); break;
    case Phase::FullWrite:
        fail(QStringLiteral("the radio stopped answering after %1 of %2 frames; it holds a mix of old and new settings")
                 .arg(m_engine.completed())
                 .arg(Area::BulkWriteFrames),
             m_engine.completed());
        break;
    case Phase::FullVerify: fail(QStringLiteral("written, but the verify read did not complete"), Area::BulkWriteFrames); break;
    default: break;
    }
}

void FleetStation::pollSilent()
{
    // The radio programmed last has gone: the port is free for the next one. The silent
    // poll has taken its two seconds already.
    m_phase = Phase::Waiting;
    setState(State::Waiting);
    m_pollTimer.start(0);
}

void FleetStation::pollAnswered(const RadioIdentity &identity)
{
    if (m_phase == Phase::Watching && sameRadio(identity, m_radio)) {
        m_pollTimer.start(PollMs);
        return;
    }
    takeRadio(identity);
}

void FleetStation::takeRadio(const RadioIdentity &identity)
{
    m_radio = identity;
    int row = -1;
    switch (m_plan.claim(identity.number, row)) {
    case FleetPlan::Claim::AlreadyDone:
        report(QStringLiteral("skipped: already done"), QStringLiteral("this radio has been programmed already; skipped"), 0, false);
        afterRadio();
        return;
    case FleetPlan::Claim::NoRow:
        report(QStringLiteral("skipped: no row"), QStringLiteral("no row is left for this radio; skipped"), 0, false);
        afterRadio();
        return;
    case FleetPlan::Claim::Taken: break;
    }
    m_row = row;
    m_clock.start();
    setState(State::Identifying);
    if (m_fullWrite)
        startFull();
    else
        startChanged();
}

QString FleetStation::quickNote() const
{
    if (!m_quick)
        return QString();
    if (m_changes.isQuick())
        return QStringLiteral(" (against the history of %1; checked blocks %2)")
            .arg(ChangedWriteText::timeText(m_changes.baselineTaken(), false), ChangedWrite::addressList(m_changes.probedBlocks()));
    if (m_changes.fallback() == ChangedWrite::Fallback::NoBaseline)
        return QStringLiteral(" (no baseline in the history: read whole)");
    return QStringLiteral(" (%1)").arg(m_changes.fallbackText(false));
}

void FleetStation::startChanged()
{
    m_phase = Phase::Changed;
    if (!startEngine([this] {
            const MemoryImage &plan = m_plan.row(m_row).image;
            return m_quick ? m_changes.compareQuick(plan, &RadioHistory::quickBaseline) : m_changes.compare(plan);
        }))
        fail(QStringLiteral("the port did not open; nothing was written"), 0);
}

void FleetStation::changedCompared()
{
    if (m_phase != Phase::Changed)
        return;
    if (m_stopAfterFrame) {
        stopAfterFrame();
        return;
    }
    if (m_changes.stage() == ChangedWrite::Stage::Refused) {
        fail(QStringLiteral("refused: %1(band limits of the radio: A %2, B %3; nothing was written)")
                 .arg(m_changes.refusal(false), m_radio.bandAText(), m_radio.bandBText()),
             0);
        return;
    }
    if (!sameRadio(m_changes.identity(), m_radio)) {
        fail(QStringLiteral("another radio answered (%1); nothing was written").arg(m_changes.identity().numberText()), 0);
        return;
    }
    if (m_changes.frames().isEmpty()) {
        succeed(QStringLiteral("The radio already holds these settings.") + quickNote(), 0);
        return;
    }
    const bool started = startEngine([this] {
        return m_changes.write([](const MemoryImage &radio, const RadioIdentity &identity) {
            const RadioHistory::Recorded kept = RadioHistory::record(radio, identity, RadioHistory::Kind::BeforeWrite);
            return kept.result.ok ? QString() : kept.result.message(false);
        });
    });
    if (started)
        return;
    if (m_changes.failure() == ChangedWrite::Failure::Backup)
        fail(QStringLiteral("the backup could not be kept (%1); nothing was written").arg(m_changes.backupError()), 0);
    else
        fail(QStringLiteral("the port did not open; nothing was written"), 0);
}

void FleetStation::startFull()
{
    const MemoryImage &image = m_plan.row(m_row).image;
    // The check reads the process-wide limits; this radio's own, whichever port spoke last.
    BandLimits::adoptReported(m_radio.limits);
    const QString refusal = BulkWrite::refusal(image, false);
    if (!refusal.isEmpty()) {
        fail(QStringLiteral("refused: %1(band limits of the radio: A %2, B %3; nothing was written)")
                 .arg(refusal, m_radio.bandAText(), m_radio.bandBText()),
             0);
        return;
    }
    m_sent = std::make_unique<MemoryImage>(image);
    BulkWrite::prepare(*m_sent);
    m_phase = Phase::FullWrite;
    setState(State::Identifying);
    m_engine.setPacing(Pacing::writeWindow());
    if (!startEngine([this] { return m_engine.startWrite(AreaTransfer::bulkWrite().frames(*m_sent)); }))
        fail(QStringLiteral("the port did not open; nothing was written"), 0);
}

void FleetStation::startVerify()
{
    if (m_phase != Phase::FullWrite)
        return;
    m_phase = Phase::FullVerify;
    // Every frame was acknowledged: the radio holds what went out.
    ConfirmedMemory::report(*m_sent, Area::BulkWriteRows, m_radio, ConfirmedMemory::Kind::Written);
    setState(State::Checking, 0, AreaTransfer::bulkRead().readAddresses().size());
    if (m_stopAfterFrame) {
        stopAfterFrame();
        return;
    }
    m_engine.setPacing(Pacing::transferWindow());
    if (!startEngine([this] { return m_engine.startRead(AreaTransfer::bulkRead().readAddresses()); }))
        fail(QStringLiteral("written, but the port did not open for the verify"), Area::BulkWriteFrames);
}

void FleetStation::verifyRead()
{
    auto radio = std::make_unique<MemoryImage>(*m_sent);
    if (!BulkRead::decodeInto(m_engine.receiveSlots(), *radio)) {
        fail(QStringLiteral("written, but a verify reply could not be decoded"), Area::BulkWriteFrames);
        return;
    }
    MemoryImage held;
    if (BulkRead::decodeInto(m_engine.receiveSlots(), held))
        ConfirmedMemory::report(held, Area::BulkReadRows, m_radio, ConfirmedMemory::Kind::Read);
    const QVector<int> rows = ImageDiff::differingRows(*m_sent, *radio, Area::BulkWriteRows);
    if (rows.isEmpty()) {
        succeed(QStringLiteral("Written and verified: %1 frames.").arg(Area::BulkWriteFrames), Area::BulkWriteFrames);
        return;
    }
    QStringList list;
    for (int row : rows)
        list << QString::number(row);
    fail(QStringLiteral("written, but the verify found rows that differ: %1").arg(list.join(QStringLiteral(", "))),
         Area::BulkWriteFrames);
}

void FleetStation::succeed(const QString &detail, int frames)
{
    m_plan.finish(m_row, m_radio.number, true);
    report(QStringLiteral("ok"), detail, frames, false);
    afterRadio();
}

void FleetStation::fail(const QString &why, int frames)
{
    m_plan.finish(m_row, m_radio.number, false);
    report(QStringLiteral("failed: ") + why, why, frames, true);
    afterRadio();
}

void FleetStation::report(const QString &result, const QString &detail, int frames, bool failed)
{
    Report r;
    r.finishedUtc = QDateTime::currentDateTimeUtc();
    r.port = m_port.description();
    r.identity = m_radio;
    r.line = m_row >= 0 ? m_plan.row(m_row).line : 0;
    r.result = result;
    r.detail = detail;
    r.frames = frames;
    r.seconds = m_row >= 0 ? m_clock.elapsed() / 1000.0 : 0.0;
    r.failed = failed;
    m_pending = r;
}

void FleetStation::afterRadio()
{
    if (m_row >= 0)
        m_shownRow = m_row;
    m_row = -1;
    m_sent.reset();
    setState(m_pending.line == 0 ? State::Skipped : m_pending.failed ? State::Failed : State::Done);
    // The state is settled before anyone hears of the radio, so that whoever ends the job
    // on this news finds the port waiting and stops it at once.
    if (m_stopRequested) {
        m_phase = Phase::Watching;
        emit radioFinished(m_pending);
        if (m_phase != Phase::Stopped)
            stopNow();
        return;
    }
    m_phase = Phase::Watching;
    m_pollTimer.start(PollMs);
    emit radioFinished(m_pending);
}
