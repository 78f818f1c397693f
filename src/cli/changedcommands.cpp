// orvane-cli write --changed-only and backups: the changes window's job without windows.

#include "cli/commandline.h"

#include "cli/progressbar.h"
#include "cli/radiolink.h"
#include "files/backups.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"
#include "link/changedwrite.h"
#include "link/changedwritetexts.h"
#include "shell/diffareas.h"
#include "texts/commontexts.h"

#include <QDir>
#include <QEventLoop>
#include <algorithm>
#include <memory>

namespace {

// Runs until the changed-only write reaches the end of its current step.
void waitForStep(ChangedWrite &changes, ProgressBar &progress)
{
    QEventLoop loop;
    QObject::connect(&changes, &ChangedWrite::progress, &loop, [&](int done, int total) {
        const ChangedWrite::Stage stage = changes.stage();
        progress.show(stage == ChangedWrite::Stage::Reading   ? QStringLiteral("read")
                      : stage == ChangedWrite::Stage::Writing ? QStringLiteral("write")
                                                              : QStringLiteral("check"),
                      done, total);
    });
    // The quick comparison's turn to the whole read starts a bar of its own.
    QObject::connect(&changes, &ChangedWrite::stageChanged, &loop, [&](ChangedWrite::Stage stage) {
        if (stage == ChangedWrite::Stage::Reading)
            progress.finish();
    });
    for (auto signal : {&ChangedWrite::compared, &ChangedWrite::finished, &ChangedWrite::failed})
        QObject::connect(&changes, signal, &loop, &QEventLoop::quit);
    loop.exec();
    progress.finish();
}

} // namespace

int CommandLine::writeChanged(const Arguments &args, const MemoryImage &plan, const PortChoice &port)
{
    const QString file = args.positional.at(0);
    const bool dryRun = args.flags.contains(QLatin1String("dry-run"));
    ProgressBar progress(m_err, m_errIsTerminal && !args.flags.contains(QLatin1String("q")));
    // The port as the program resolves it; RadioLink sets the COM number.
    RadioLink link(port, progress);
    ExchangeEngine engine(Pacing::transferWindow());
    if (!port.device.isEmpty())
        engine.port().useDevice(port.device);
    ChangedWrite changes(engine);

    const bool quick = args.flags.contains(QLatin1String("quick"));
    // The quick comparison's turns to the whole read are said as they happen.
    QObject::connect(&changes, &ChangedWrite::fellBack, [&] {
        m_err << "orvane-cli: " << changes.fallbackText(false) << '\n' << Qt::flush;
    });
    if (quick) {
        QObject::connect(&changes, &ChangedWrite::stageChanged, [&](ChangedWrite::Stage stage) {
            if (stage == ChangedWrite::Stage::Reading && changes.fallback() == ChangedWrite::Fallback::NoBaseline)
                m_err << "orvane-cli: no baseline of radio " << changes.identity().number.trimmed()
                      << " in the history, so the whole radio is read first\n" << Qt::flush;
        });
    }
    if (!(quick ? changes.compareQuick(plan, &RadioHistory::quickBaseline) : changes.compare(plan))) {
        m_err << "orvane-cli: " << port.description() << ": " << CommonText::PortErrorTransfer.text(false) << '\n' << Qt::flush;
        return RadioFailure;
    }
    waitForStep(changes, progress);
    if (changes.stage() == ChangedWrite::Stage::Failed) {
        m_err << "orvane-cli: " << port.description() << ": " << CommonText::FailConnect.text(false)
              << " (nothing was written)\n" << Qt::flush;
        return RadioFailure;
    }
    const RadioIdentity &identity = changes.identity();
    if (changes.stage() == ChangedWrite::Stage::Refused) {
        m_err << "orvane-cli: " << changes.refusal(false) << '\n'
              << "(band limits of the radio: A " << identity.bandAText() << ", B " << identity.bandBText()
              << "; nothing was sent)\n" << Qt::flush;
        return Differs;
    }
    const QString origin = Backups::radioOf(file);
    if (!origin.isEmpty() && origin != Backups::radioFolder(identity.number))
        m_err << "orvane-cli: " << ChangedWriteText::OtherRadio.text(false).arg(identity.number.trimmed(), origin) << '\n';

    const int frames = changes.frames().size();
    m_out << "changes: " << frames << " frames\n";
    for (const QString &line : ImageDiff::describe(changes.radio(), changes.planned(), diffAreas(), Area::BulkWriteRows))
        m_out << line << '\n';
    m_out << Qt::flush;
    if (changes.isQuick())
        m_err << ChangedWriteText::QuickNote.text(false)
                     .arg(ChangedWriteText::timeText(changes.baselineTaken(), false),
                          ChangedWrite::addressList(changes.probedBlocks()))
              << '\n' << Qt::flush;
    if (frames == 0) {
        m_err << ChangedWriteText::NothingDiffers.text(false) << '\n' << Qt::flush;
        return Done;
    }
    if (dryRun)
        return Done;

    QString backup;
    const bool started = changes.write([&backup](const MemoryImage &radio, const RadioIdentity &id) {
        const RadioHistory::Recorded kept = RadioHistory::record(radio, id, RadioHistory::Kind::BeforeWrite);
        backup = kept.path;
        return kept.result.ok ? QString() : kept.result.message(false);
    });
    if (!started) {
        if (changes.failure() == ChangedWrite::Failure::Backup) {
            m_err << "orvane-cli: " << ChangedWriteText::BackupFailed.text(false).arg(changes.backupError()) << '\n' << Qt::flush;
            return BadFile;
        }
        m_err << "orvane-cli: " << port.description() << ": " << CommonText::PortErrorTransfer.text(false) << '\n' << Qt::flush;
        return RadioFailure;
    }
    m_err << "backup: " << QDir::toNativeSeparators(backup) << '\n' << Qt::flush;
    waitForStep(changes, progress);
    m_err << (changes.stage() == ChangedWrite::Stage::Done ? QString() : QStringLiteral("orvane-cli: "))
          << changes.resultText(false) << '\n' << Qt::flush;
    if (changes.stage() == ChangedWrite::Stage::Done)
        return Done;
    return changes.failure() == ChangedWrite::Failure::Mismatch ? Differs : RadioFailure;
}

int CommandLine::backups(const Arguments &args)
{
    const QString radio = args.values.value(QStringLiteral("radio"));
    QVector<RadioHistory::Snapshot> all;
    for (const QString &r : radio.isEmpty() ? RadioHistory::radios() : QStringList{radio})
        all += RadioHistory::snapshots(r);
    // Newest first across radios; within one radio the history's own order stands.
    std::stable_sort(all.begin(), all.end(),
                     [](const RadioHistory::Snapshot &a, const RadioHistory::Snapshot &b) { return a.taken > b.taken; });
    for (const RadioHistory::Snapshot &s : all)
        m_out << s.taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << " UTC  " << s.radio << "  "
              << RadioHistory::kindName(s.kind, false).leftJustified(12) << "  " << QDir::toNativeSeparators(s.path) << '\n';
    m_out << Qt::flush;
    if (all.isEmpty())
        m_err << "no backups in " << QDir::toNativeSeparators(Backups::folder()) << '\n' << Qt::flush;
    return Done;
}
