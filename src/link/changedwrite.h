#pragma once

#include "image/memoryimage.h"
#include "link/confirmedmemory.h"
#include "link/exchangeengine.h"
#include "link/radioidentity.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

// A write that sends only what differs, for any caller (the changes window, orvane-cli):
//   1. the identification and the bulk read, into an image of its own (the caller's data
//      is never touched);
//   2. the comparison with what a bulk write of the plan would send, after the same
//      pre-write steps (the band check refuses, the 5-tone tables are renewed in the copy);
//   3. on write(): the backup of what the radio held, then the differing frames in
//      ascending address order with the write window's pacing, then a read-back of every
//      64-byte block that holds a written frame.
// A run that stops half way leaves the radio with a mix; running it again re-reads and
// re-compares, so it sends only what is still missing.
//
// The quick comparison stands on what the radio was last known to hold (its baseline)
// instead of step 1: the identification alone, the frames in which the plan differs from
// the baseline, then a read of only the 64-byte blocks that hold them. When every one of
// those blocks still equals the baseline, the write goes ahead from there; otherwise, or
// when the baseline cannot be used, it turns to step 1 and says why (fellBack()). Nothing
// is ever written over memory that was not read just before.
class ChangedWrite : public QObject
{
    Q_OBJECT
public:
    enum class Stage { Idle, Identifying, Probing, Reading, Compared, Refused, Writing, Checking, Done, Failed };
    enum class Failure {
        None,
        Read,    // the read before the comparison did not complete
        Port,    // the port did not open for the write or the check
        Backup,  // the backup could not be kept; nothing was sent
        Write,   // the radio stopped acknowledging; framesSent() of frames().size() went
        Check,   // the read-back did not complete
        Mismatch // the read-back differs at mismatches()
    };
    // Keeps what the radio held; returns an empty text when it is kept, otherwise why not.
    using BackupKeeper = std::function<QString(const MemoryImage &radio, const RadioIdentity &identity)>;

    using Baseline = ConfirmedMemory::Baseline;
    using BaselineSource = std::function<Baseline(const RadioIdentity &identity)>;
    // Why a quick comparison turned to the whole read.
    enum class Fallback {
        None,         // it did not (or the comparison was a whole one from the start)
        NoBaseline,   // the radio has none, or none of a known model: quietly
        Unreadable,   // the baseline file is damaged or cannot be read
        OtherModel,   // the baseline was taken from a radio of another model
        NothingDiffers, // the plan equals the baseline: no block to check it by
        BlockDiffers  // a block the plan touches is not what the baseline says
    };

    explicit ChangedWrite(ExchangeEngine &engine, QObject *parent = nullptr);

    // Steps 1 and 2. False, and nothing started, while busy or when the port does not open
    // (the engine has then said portOpenFailed()).
    bool compare(const MemoryImage &plan);
    // The quick comparison: as compare(), standing on what `baseline` gives for the radio
    // that answers, when it can.
    bool compareQuick(const MemoryImage &plan, const BaselineSource &baseline);
    // Step 3, after a comparison that found differences. False, and nothing sent, when
    // there is nothing to write, or when the backup or the port failed (see failure()).
    bool write(const BackupKeeper &keepBackup);
    void stop();

    Stage stage() const { return m_stage; }
    bool isBusy() const
    {
        return m_stage == Stage::Identifying || m_stage == Stage::Probing || m_stage == Stage::Reading
               || m_stage == Stage::Writing || m_stage == Stage::Checking;
    }
    // The comparison stands on the baseline: radio() is the baseline, of which the blocks
    // probedBlocks() were read just now and matched.
    bool isQuick() const { return m_quick; }
    Fallback fallback() const { return m_fallback; }
    // The fall-back's reason for the person watching, in either language; empty for None
    // and NoBaseline.
    QString fallbackText(bool chinese) const;
    QDateTime baselineTaken() const { return m_baselineTaken; }
    const QVector<int> &probedBlocks() const { return m_probeBlocks; }
    // The probed blocks that differed from the baseline.
    const QVector<int> &changedBlocks() const { return m_changedBlocks; }
    Failure failure() const { return m_failure; }

    const RadioIdentity &identity() const { return m_identity; }
    // What the radio held: rows 0..787 as read (or the baseline, for a quick comparison),
    // the rest erased.
    const MemoryImage &radio() const { return m_radio; }
    // What a bulk write of the plan sends, 5-tone tables renewed.
    const MemoryImage &planned() const { return m_planned; }
    // The band check's refusal, in either language; empty when it passed.
    QString refusal(bool chinese) const { return chinese ? m_refusalZh : m_refusalEn; }
    // The frames whose 16 bytes differ, ascending.
    const QVector<ExchangeEngine::Frame> &frames() const { return m_frames; }
    // The 64-byte blocks the read-back covers, ascending.
    static QVector<int> checkBlocks(const QVector<ExchangeEngine::Frame> &frames);
    int framesSent() const { return m_sent; }
    QVector<int> mismatches() const { return m_mismatches; }
    QString backupError() const { return m_backupError; }
    // What the run came to after the write began: "Written and checked: N frames.", or the
    // failure with how many of the frames went; empty before.
    QString resultText(bool chinese) const;
    // "0x0010, 0x1000"
    static QString addressList(const QVector<int> &addresses);

    // The frames whose rows differ between `radio` and `planned` within the rows a bulk
    // write sends.
    static QVector<ExchangeEngine::Frame> differingFrames(const MemoryImage &radio, const MemoryImage &planned);

signals:
    void stageChanged(ChangedWrite::Stage stage);
    // Blocks read or frames acknowledged so far in the current stage.
    void progress(int done, int total);
    // The comparison is ready (Compared or Refused).
    void compared();
    // The quick comparison turned to the whole read, for fallback().
    void fellBack();
    // Written and checked.
    void finished();
    void failed();

private:
    void setStage(Stage stage);
    void fail(Failure failure);
    void exchangeFinished();
    void exchangeFailed();
    void readDone();
    void checkDone();
    void identifyDone();
    void probeDone();
    // The plan checked against this radio's band limits and made ready to write; false (and
    // the stage Refused) when the limits refuse it.
    bool planForThisRadio();
    void startWholeRead(Fallback why);
    void reset(const MemoryImage &plan);

    ExchangeEngine &m_engine;
    Stage m_stage = Stage::Idle;
    Failure m_failure = Failure::None;
    bool m_starting = false;
    RadioIdentity m_identity;
    MemoryImage m_plan;
    MemoryImage m_radio;
    MemoryImage m_planned;
    QString m_refusalEn;
    QString m_refusalZh;
    QVector<ExchangeEngine::Frame> m_frames;
    QVector<int> m_checkBlocks;
    int m_sent = 0;
    QVector<int> m_mismatches;
    QString m_backupError;
    BaselineSource m_baselineSource;
    MemoryImage m_baseline;
    QDateTime m_baselineTaken;
    QString m_baselineModel;
    QString m_problemEn;
    QString m_problemZh;
    bool m_quick = false;
    Fallback m_fallback = Fallback::None;
    QVector<int> m_probeBlocks;
    QVector<int> m_changedBlocks;
    QString m_probeNumber;
};
