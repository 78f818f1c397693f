// orvane-cli write --changed-only and backups: the changes window's job without windows.

#include "cli/commandline.h"

#include "cli/progressbar.h"
#include "cli/radiolink.h"
#include "files/backups.h"
#include "image/areamap.h"
#include "image/imagediff.h"
#include "image/memoryimage.h"
#include "link/changedwrite.h"
#include "link/changedwritetexts.h"
#include "shell/diffareas.h"
#include "texts/commontexts.h"

#include <QDir>
#include <QEventLoop>
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

    if (!changes.compare(plan)) {
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
    if (frames == 0) {
        m_err << ChangedWriteText::NothingDiffers.text(false) << '\n' << Qt::flush;
        return Done;
    }
    if (dryRun)
        return Done;

    QString backup;
    const bool started = changes.write([&backup](const MemoryImage &radio, const RadioIdentity &id) {
        const FileResult kept = Backups::keep(radio, id.number, &backup);
        return kept.ok ? QString() : kept.message(false);
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
    const QVector<Backups::Entry> entries = Backups::list(radio);
    for (const Backups::Entry &e : entries)
        m_out << e.taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << " UTC  " << e.radio << "  "
              << QDir::toNativeSeparators(e.path) << '\n';
    m_out << Qt::flush;
    if (entries.isEmpty())
        m_err << "no backups in " << QDir::toNativeSeparators(Backups::folder()) << '\n' << Qt::flush;
    return Done;
}
