#include "link/changedwrite.h"

#include "image/areamap.h"
#include "link/areatransfer.h"
#include "link/bulkread.h"
#include "link/bulkwrite.h"
#include "link/changedwritetexts.h"
#include "link/confirmedmemory.h"

#include <QTimer>

ChangedWrite::ChangedWrite(ExchangeEngine &engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
    connect(&m_engine, &ExchangeEngine::identified, this, [this](const RadioIdentity &identity) {
        if (m_stage == Stage::Reading || m_stage == Stage::Identifying)
            m_identity = identity;
        else if (m_stage == Stage::Probing)
            m_probeNumber = identity.number;
    });
    connect(&m_engine, &ExchangeEngine::progress, this, [this](int done, int total) {
        if (!isBusy())
            return;
        if (m_stage == Stage::Writing)
            m_sent = done;
        emit progress(done, total);
    });
    connect(&m_engine, &ExchangeEngine::finished, this, &ChangedWrite::exchangeFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &ChangedWrite::exchangeFailed);
    // A retry whose port no longer opens (the cable came out) ends the exchange as well.
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this, [this] {
        if (!m_starting && isBusy())
            exchangeFailed();
    });
}

QVector<ExchangeEngine::Frame> ChangedWrite::differingFrames(const MemoryImage &radio, const MemoryImage &planned)
{
    QVector<ExchangeEngine::Frame> frames;
    for (int row = Area::BulkWriteRows.firstRow; row <= Area::BulkWriteRows.lastRow; ++row) {
        const QByteArray wanted = planned.row(row);
        if (radio.row(row) != wanted)
            frames.append(ExchangeEngine::Frame{MemoryImage::addressOf(row, 0), wanted});
    }
    return frames;
}

QVector<int> ChangedWrite::checkBlocks(const QVector<ExchangeEngine::Frame> &frames)
{
    QVector<int> blocks;
    for (const ExchangeEngine::Frame &f : frames) {
        const int block = f.address / Area::BlockBytes * Area::BlockBytes;
        if (blocks.isEmpty() || blocks.last() != block)
            blocks.append(block);
    }
    return blocks;
}

void ChangedWrite::reset(const MemoryImage &plan)
{
    m_plan = plan;
    m_identity = RadioIdentity{};
    m_frames.clear();
    m_mismatches.clear();
    m_sent = 0;
    m_failure = Failure::None;
    m_quick = false;
    m_fallback = Fallback::None;
    m_baselineTaken = QDateTime();
    m_probeBlocks.clear();
    m_changedBlocks.clear();
    m_baselineSource = nullptr;
}

bool ChangedWrite::compare(const MemoryImage &plan)
{
    if (isBusy() || m_engine.isBusy())
        return false;
    reset(plan);
    m_engine.setPacing(Pacing::transferWindow());
    m_starting = true;
    const bool started = m_engine.startRead(AreaTransfer::bulkRead().readAddresses());
    m_starting = false;
    if (started)
        setStage(Stage::Reading);
    return started;
}

bool ChangedWrite::compareQuick(const MemoryImage &plan, const BaselineSource &baseline)
{
    if (isBusy() || m_engine.isBusy())
        return false;
    reset(plan);
    m_baselineSource = baseline;
    m_engine.setPacing(Pacing::transferWindow());
    m_starting = true;
    const bool started = m_engine.startIdentification();
    m_starting = false;
    if (started)
        setStage(Stage::Identifying);
    return started;
}

void ChangedWrite::identifyDone()
{
    const Baseline baseline = m_baselineSource ? m_baselineSource(m_identity) : Baseline{};
    m_baselineTaken = baseline.taken;
    m_baselineModel = baseline.model;
    m_problemEn = baseline.problemEn;
    m_problemZh = baseline.problemZh;
    if (!baseline.found || baseline.model.isEmpty()) {
        startWholeRead(Fallback::NoBaseline);
        return;
    }
    if (!baseline.problemEn.isEmpty()) {
        startWholeRead(Fallback::Unreadable);
        return;
    }
    if (baseline.model != m_identity.modelName.trimmed()) {
        startWholeRead(Fallback::OtherModel);
        return;
    }
    // The same pre-write steps as the whole comparison, against this radio's limits.
    if (!planForThisRadio())
        return;
    m_baseline = baseline.image;
    m_frames = differingFrames(m_baseline, m_planned);
    m_probeBlocks = checkBlocks(m_frames);
    if (m_frames.isEmpty()) {
        // No block to check, so nothing would prove that the radio still holds the
        // baseline: "already holds these settings" takes the whole read.
        startWholeRead(Fallback::NothingDiffers);
        return;
    }
    setStage(Stage::Probing);
    m_probeNumber.clear();
    // The identification's exchange has closed the port; the probe opens it again once the
    // engine has finished announcing the end.
    QTimer::singleShot(0, this, [this] {
        if (m_stage != Stage::Probing)
            return;
        m_starting = true;
        const bool started = m_engine.startRead(m_probeBlocks);
        m_starting = false;
        if (!started)
            fail(Failure::Read);
    });
}

void ChangedWrite::probeDone()
{
    const ReceiveSlots &replies = m_engine.receiveSlots();
    m_changedBlocks.clear();
    for (int k = 1; k <= m_probeBlocks.size(); ++k) {
        const int block = m_probeBlocks.at(k - 1);
        const QByteArray held = m_baseline.rows(MemoryImage::rowOf(block), Area::BlockBytes / Area::FrameBytes);
        // A reply that cannot be decoded proves nothing: its block counts as changed.
        if (replies.data(k) != held)
            m_changedBlocks.append(block);
    }
    // Another radio put on the line since the identification: its baseline is not this one.
    if (m_probeNumber != m_identity.number && m_changedBlocks.isEmpty())
        m_changedBlocks = m_probeBlocks;
    if (!m_changedBlocks.isEmpty()) {
        m_frames.clear();
        startWholeRead(Fallback::BlockDiffers);
        return;
    }
    m_radio = m_baseline;
    m_quick = true;
    setStage(Stage::Compared);
    emit compared();
}

void ChangedWrite::startWholeRead(Fallback why)
{
    m_fallback = why;
    setStage(Stage::Reading);
    if (why != Fallback::NoBaseline)
        emit fellBack();
    QTimer::singleShot(0, this, [this] {
        if (m_stage != Stage::Reading)
            return;
        m_starting = true;
        const bool started = m_engine.startRead(AreaTransfer::bulkRead().readAddresses());
        m_starting = false;
        if (!started)
            fail(Failure::Read);
    });
}

QString ChangedWrite::fallbackText(bool chinese) const
{
    const QString when = ChangedWriteText::timeText(m_baselineTaken, chinese);
    switch (m_fallback) {
    case Fallback::Unreadable:
        return ChangedWriteText::BaselineUnreadable.text(chinese).arg(when, chinese ? m_problemZh : m_problemEn);
    case Fallback::OtherModel:
        return ChangedWriteText::BaselineOtherModel.text(chinese).arg(when, m_baselineModel, m_identity.modelName.trimmed());
    case Fallback::NothingDiffers: return ChangedWriteText::QuickNothing.text(chinese).arg(when);
    case Fallback::BlockDiffers:
        return ChangedWriteText::RadioChanged.text(chinese).arg(when, addressList(m_changedBlocks));
    default: return QString();
    }
}

bool ChangedWrite::write(const BackupKeeper &keepBackup)
{
    if (m_stage != Stage::Compared || m_frames.isEmpty() || m_engine.isBusy())
        return false;
    m_backupError = keepBackup ? keepBackup(m_radio, m_identity) : QString();
    if (!m_backupError.isEmpty()) {
        m_failure = Failure::Backup;
        return false;
    }
    m_sent = 0;
    m_mismatches.clear();
    m_failure = Failure::None;
    m_engine.setPacing(Pacing::writeWindow());
    m_starting = true;
    const bool started = m_engine.startWrite(m_frames);
    m_starting = false;
    if (!started) {
        m_failure = Failure::Port;
        return false;
    }
    setStage(Stage::Writing);
    return true;
}

void ChangedWrite::stop()
{
    m_engine.stop();
    if (isBusy())
        m_stage = Stage::Idle;
}

void ChangedWrite::setStage(Stage stage)
{
    m_stage = stage;
    emit stageChanged(stage);
}

void ChangedWrite::fail(Failure failure)
{
    m_engine.stop();
    m_failure = failure;
    setStage(Stage::Failed);
    emit failed();
}

void ChangedWrite::exchangeFinished()
{
    switch (m_stage) {
    case Stage::Identifying: identifyDone(); break;
    case Stage::Probing: probeDone(); break;
    case Stage::Reading: readDone(); break;
    case Stage::Writing: {
        m_sent = m_frames.size();
        m_checkBlocks = checkBlocks(m_frames);
        setStage(Stage::Checking);
        // The write's exchange has closed the port; the check opens it again once the
        // engine has finished announcing the end.
        QTimer::singleShot(0, this, [this] {
            if (m_stage != Stage::Checking)
                return;
            m_engine.setPacing(Pacing::transferWindow());
            m_starting = true;
            const bool started = m_engine.startRead(m_checkBlocks);
            m_starting = false;
            if (!started)
                fail(Failure::Port);
        });
        break;
    }
    case Stage::Checking: checkDone(); break;
    default: break;
    }
}

void ChangedWrite::exchangeFailed()
{
    switch (m_stage) {
    case Stage::Identifying:
    case Stage::Probing:
    case Stage::Reading: fail(Failure::Read); break;
    case Stage::Writing:
        m_sent = m_engine.completed();
        fail(Failure::Write);
        break;
    case Stage::Checking: fail(Failure::Check); break;
    default: break;
    }
}

bool ChangedWrite::planForThisRadio()
{
    // The check reads the process-wide band limits, which this radio's identification set;
    // another port's identification may have replaced them since.
    BandLimits::adoptReported(m_identity.limits);
    m_planned = m_plan;
    m_refusalEn = BulkWrite::refusal(m_planned, false);
    m_refusalZh = BulkWrite::refusal(m_planned, true);
    if (!m_refusalEn.isEmpty()) {
        setStage(Stage::Refused);
        emit compared();
        return false;
    }
    BulkWrite::prepare(m_planned);
    return true;
}

void ChangedWrite::readDone()
{
    MemoryImage radio;
    if (!BulkRead::decodeInto(m_engine.receiveSlots(), radio)) {
        fail(Failure::Read);
        return;
    }
    m_radio = radio;
    ConfirmedMemory::report(m_radio, Area::BulkReadRows, m_identity, ConfirmedMemory::Kind::Read);
    if (!planForThisRadio())
        return;
    m_frames = differingFrames(m_radio, m_planned);
    setStage(Stage::Compared);
    emit compared();
}

void ChangedWrite::checkDone()
{
    const ReceiveSlots &replies = m_engine.receiveSlots();
    m_mismatches.clear();
    for (int k = 1; k <= m_checkBlocks.size(); ++k) {
        const int block = m_checkBlocks.at(k - 1);
        const QByteArray data = replies.data(k);
        for (const ExchangeEngine::Frame &f : m_frames) {
            if (f.address < block || f.address >= block + Area::BlockBytes)
                continue;
            // A reply that cannot be decoded proves nothing: its frames count as different.
            if (data.size() != Area::BlockBytes || data.mid(f.address - block, Area::FrameBytes) != f.data)
                m_mismatches.append(f.address);
        }
    }
    if (!m_mismatches.isEmpty()) {
        fail(Failure::Mismatch);
        return;
    }
    // Every frame went and reads back as sent: the radio holds what it held, with them.
    MemoryImage written(m_radio);
    for (const ExchangeEngine::Frame &f : m_frames)
        written.setRows(MemoryImage::rowOf(f.address), f.data);
    ConfirmedMemory::report(written, Area::BulkReadRows, m_identity, ConfirmedMemory::Kind::Written);
    setStage(Stage::Done);
    emit finished();
}

QString ChangedWrite::addressList(const QVector<int> &addresses)
{
    QStringList list;
    for (int a : addresses)
        list << QStringLiteral("0x") + QStringLiteral("%1").arg(a, 4, 16, QLatin1Char('0')).toUpper();
    return list.join(QStringLiteral(", "));
}

QString ChangedWrite::resultText(bool chinese) const
{
    const int total = m_frames.size();
    switch (m_stage) {
    case Stage::Done: return ChangedWriteText::WrittenAndChecked.text(chinese).arg(total);
    case Stage::Failed: break;
    default: return QString();
    }
    switch (m_failure) {
    case Failure::Write: return ChangedWriteText::Stopped.text(chinese).arg(m_sent).arg(total);
    case Failure::Port:
    case Failure::Check: return ChangedWriteText::Unchecked.text(chinese).arg(total);
    case Failure::Mismatch: return ChangedWriteText::Mismatch.text(chinese).arg(total).arg(addressList(m_mismatches));
    default: return QString();
    }
}
