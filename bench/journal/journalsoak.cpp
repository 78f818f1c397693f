// Kill soak of the run's journal. A child process takes random steps of every kind
// through the real document and journal and reports each step's number on its standard
// output once the step has returned. The parent kills it with SIGKILL at a random moment,
// reads the journal it left, and compares the recovered document with the document after
// the last reported step (or after the step under way, which may have reached the journal
// before its number was reported). Snapshots come every 50 steps, so kills land before,
// in and after them.
//
//   bench/journal/journalsoak [--kills N] [--seed S] [--max-ms M]
//
// Prints kills, steps recovered, steps lost (goal 0), torn records skipped, journals that
// could not be read (goal 0), and exits 1 when anything was lost.

#include "journalsteps.h"

#include "files/journal.h"
#include "files/journalstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// Often, so that kills land before, during and after snapshots.
constexpr int SnapshotEvery = 50;

int runChild(quint32 seed, const QString &files, const QString &journals)
{
    Document document;
    JournalSteps::startState(document);
    Journal journal(document, {SnapshotEvery, 1 << 20});
    if (!journal.start(journals))
        return 2;
    QRandomGenerator random(seed);
    for (quint64 step = 1;; ++step) {
        JournalSteps::take(document, random, files);
        const QByteArray line = QByteArray::number(step) + '\n';
        if (::write(1, line.constData(), size_t(line.size())) != line.size())
            return 3;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--child"))
        return runChild(args.at(2).toUInt(), args.at(3), args.at(4));

    int kills = 1000;
    quint32 seed = 29;
    int maxMs = 250;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--kills"))
            kills = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--seed"))
            seed = args.at(i + 1).toUInt();
        else if (args.at(i) == QLatin1String("--max-ms"))
            maxMs = args.at(i + 1).toInt();
    }

    QTemporaryDir files;
    for (int which = 0; which < 2; ++which)
        DataFile::save(JournalSteps::fileImage(which), JournalSteps::filePath(files.path(), which));

    QRandomGenerator random(seed);
    qint64 recoveredSteps = 0, lostSteps = 0, tornSkipped = 0, unreadableJournals = 0, unreadableSteps = 0;
    int beforeFirstStep = 0, underWay = 0, noJournal = 0, mismatches = 0, withSnapshot = 0;
    qint64 mostSteps = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QTemporaryDir journals;
        const quint32 childSeed = random.generate();
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::number(childSeed), files.path(), journals.path()});
        if (!child.waitForStarted()) {
            std::fprintf(stderr, "child did not start\n");
            return 2;
        }
        QThread::usleep(quint64(random.bounded(maxMs * 1000)));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        // The last line is empty or a number cut short.
        qint64 reported = 0;
        for (int i = lines.size() - 2; i >= 0; --i) {
            if (!lines.at(i).isEmpty()) {
                reported = lines.at(i).toLongLong();
                break;
            }
        }
        const QStringList paths = JournalStore::paths(journals.path());
        if (paths.isEmpty()) {
            // Killed before its journal had a name: it had taken no step either.
            ++noJournal;
            if (reported > 0) {
                ++mismatches;
                lostSteps += reported;
            }
            continue;
        }
        const JournalStore::Run run = JournalStore::read(paths.first());
        if (!run.readable) {
            ++unreadableJournals;
            lostSteps += reported;
            std::fprintf(stderr, "kill %d: %s\n", kill, qPrintable(run.refusal.message(false)));
            continue;
        }
        tornSkipped += run.tornRecords;
        unreadableSteps += run.unreadableSteps;
        if (reported == 0)
            ++beforeFirstStep;
        if (run.steps > SnapshotEvery)
            ++withSnapshot;

        // The same steps without a journal, up to the last reported one, then one more.
        // An undo with nothing to undo, or a cell set to the value it had, is no step of
        // the document: the journal counts the document's steps, as the replay does here.
        Document replay;
        JournalSteps::startState(replay);
        qint64 documentSteps = 0;
        replay.setRecorder([&](Document::StepKind kind, const StepLabel &, const QVector<DocumentPiece> &, bool) {
            if (kind != Document::StepKind::Start)
                ++documentSteps;
        });
        QRandomGenerator steps(childSeed);
        for (qint64 s = 0; s < reported; ++s)
            JournalSteps::take(replay, steps, files.path());
        const qint64 expected = documentSteps;
        bool matched = run.steps == documentSteps && JournalSteps::same(run.state, replay.contents());
        if (!matched) {
            JournalSteps::take(replay, steps, files.path());
            matched = run.steps == documentSteps && JournalSteps::same(run.state, replay.contents());
            if (matched)
                ++underWay;
        }
        mostSteps = std::max<qint64>(mostSteps, run.steps);
        if (matched) {
            recoveredSteps += run.steps;
        } else {
            ++mismatches;
            lostSteps += std::max<qint64>(1, expected - run.steps);
            std::fprintf(stderr, "kill %d: reported %lld (%lld document steps), journal holds %d steps, state differs\n",
                         kill, static_cast<long long>(reported), static_cast<long long>(expected), run.steps);
        }
    }
    std::printf("kills                          %d\n", kills);
    std::printf("  before the journal existed   %d\n", noJournal);
    std::printf("  before the first step        %d\n", beforeFirstStep);
    std::printf("  after a snapshot (>50 steps) %d\n", withSnapshot);
    std::printf("steps recovered                %lld (most in one run %lld)\n", static_cast<long long>(recoveredSteps),
                static_cast<long long>(mostSteps));
    std::printf("  of which the step under way  %d\n", underWay);
    std::printf("steps lost                     %lld (goal 0)\n", static_cast<long long>(lostSteps));
    std::printf("runs not recovered exactly     %d\n", mismatches);
    std::printf("torn records skipped           %lld\n", static_cast<long long>(tornSkipped));
    std::printf("unreadable steps               %lld\n", static_cast<long long>(unreadableSteps));
    std::printf("unreadable journals            %lld (goal 0)\n", static_cast<long long>(unreadableJournals));
    return lostSteps == 0 && unreadableJournals == 0 && mismatches == 0 ? 0 : 1;
}
