// orvane-cli recover: the journals the program keeps of every run, and the last state of
// one of them as a data file. Reads journals only; never needs a display or a radio.

#include "cli/commandline.h"

#include "files/adjustfile.h"
#include "files/journal.h"
#include "files/journalstore.h"

#include <QDir>

namespace {

QString shownTime(const QDateTime &utc)
{
    return utc.isValid() ? utc.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" UTC")
                         : QStringLiteral("-");
}

QString stateOf(const JournalStore::Run &run)
{
    if (!run.readable)
        return run.refusal.message(false);
    QString state = run.live ? QStringLiteral("still running")
                             : run.endedNormally ? QStringLiteral("ended normally") : QStringLiteral("did not end normally");
    if (run.unreadableSteps > 0)
        state += QStringLiteral(", %1 could not be read").arg(JournalStore::stepCount(run.unreadableSteps, false));
    return state;
}

} // namespace

int CommandLine::recover(const Arguments &args)
{
    const QString folder = Journal::defaultFolder();
    const bool listing = args.flags.contains(QStringLiteral("list"));
    if (listing == (args.positional.size() == 1) || args.positional.size() > 1)
        return usageError(QStringLiteral("recover takes --list, or one journal number and -o FILE.dat"),
                          QStringLiteral("recover"));
    const QStringList paths = JournalStore::paths(folder);
    if (listing) {
        int number = 0;
        for (const QString &path : paths) {
            const JournalStore::Run run = JournalStore::read(path);
            m_out << ++number << "  started " << shownTime(run.started);
            if (run.readable) {
                m_out << "  last step " << shownTime(run.lastStep) << "  " << JournalStore::stepCount(run.steps, false) << "  "
                      << (run.origin().trimmed().isEmpty() ? QStringLiteral("origin unknown")
                                                           : QStringLiteral("radio ") + run.origin().trimmed());
            }
            m_out << "  " << stateOf(run) << '\n';
            if (run.readable && !run.lastLabels.isEmpty()) {
                QStringList labels;
                for (auto it = run.lastLabels.crbegin(); it != run.lastLabels.crend(); ++it)
                    labels << it->en;
                m_out << "     last: " << labels.join(QStringLiteral("; ")) << '\n';
            }
            m_out << "     " << QDir::toNativeSeparators(path) << '\n';
        }
        m_out << Qt::flush;
        if (paths.isEmpty())
            m_err << "no journals in " << QDir::toNativeSeparators(folder) << '\n' << Qt::flush;
        return Done;
    }

    bool ok = false;
    const int number = args.positional.at(0).toInt(&ok);
    if (!ok || number < 1 || number > paths.size()) {
        m_err << "orvane-cli: no journal " << args.positional.at(0) << " (recover --list shows " << paths.size()
              << ")\n"
              << Qt::flush;
        return Usage;
    }
    const QString out = args.values.value(QStringLiteral("o"));
    if (out.isEmpty())
        return usageError(QStringLiteral("recover N needs -o FILE.dat"), QStringLiteral("recover"));
    const JournalStore::Run run = JournalStore::read(paths.at(number - 1));
    if (!run.readable) {
        m_err << "orvane-cli: " << run.refusal.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    if (const int saved = saveDataFile(run.state.image, out); saved != Done)
        return saved;
    const QString adjust = args.values.value(QStringLiteral("adj"));
    if (!adjust.isEmpty()) {
        AdjustFile::Table table{};
        for (int i = 0; i < int(table.size()) && i < run.state.alignment.size(); ++i)
            table[size_t(i)] = uint8_t(run.state.alignment.at(i));
        const FileResult result = AdjustFile::save(table, adjust);
        if (!result.ok) {
            m_err << "orvane-cli: " << result.message(false) << '\n' << Qt::flush;
            return BadFile;
        }
    }
    m_err << "recovered " << JournalStore::stepCount(run.steps, false) << " of the run started " << shownTime(run.started) << " into " << out;
    if (!adjust.isEmpty())
        m_err << " (alignment block: " << adjust << ")";
    m_err << '\n';
    if (run.unreadableSteps > 0)
        m_err << JournalStore::stepCount(run.unreadableSteps, false)
              << (run.unreadableSteps == 1 ? " after them could not be read and is missing\n"
                                           : " after them could not be read and are missing\n");
    m_err << Qt::flush;
    return Done;
}
