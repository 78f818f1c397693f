#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVector>

class MemoryImage;
namespace ChannelMerge {
struct Row;
}
struct BandLimits;
struct PortChoice;

// orvane-cli: the programming jobs of the windows for scripts and batch work, on the same
// engine, pacing, band check and 5-tone rewrite. Results go to `out`, messages and the
// progress bar to `err`. run() returns the exit code.
class CommandLine
{
public:
    enum ExitCode {
        Done = 0,
        Usage = 1,
        RadioFailure = 2,  // the port does not open, or the radio does not answer
        Differs = 3,       // verify or diff found differences, or the band check refused
        BadFile = 4,       // an input file that cannot be used, or an output that cannot be written
    };

    // Progress is drawn only when `errIsTerminal`; -q turns it off as well.
    CommandLine(QTextStream &out, QTextStream &err, bool errIsTerminal);

    int run(const QStringList &arguments);

    struct Arguments
    {
        QStringList positional;
        QHash<QString, QString> values; // "port", "o", "into", "bands": the last one given
        QHash<QString, QStringList> lists; // every value of each option, in the order given
        QSet<QString> flags;            // "verify", "q", "help"
    };

    // The commands, with their arguments checked; run() picks one.
    int info(const Arguments &args);
    int read(const Arguments &args);
    int write(const Arguments &args);
    int verify(const Arguments &args);
    int diff(const Arguments &args);
    int exportCsv(const Arguments &args);
    int importCsv(const Arguments &args);
    // configcommands.cpp
    int exportConfig(const Arguments &args);
    int importConfig(const Arguments &args);

    // mergecommands.cpp: channels from another plan or a repeater list into a data file.
    int merge(const Arguments &args);
    int importRepeaters(const Arguments &args);

    // "A_LO,A_HI,B_LO,B_HI" in whole MHz, as --bands takes them.
    static bool parseBandLimits(const QString &text, BandLimits &limits);
    // changedcommands.cpp: every backup kept, newest first.
    int backups(const Arguments &args);
    // portscommand.cpp: every serial port, its state, and with --probe who answers on it.
    int ports(const Arguments &args);
    // fleetcommand.cpp: one plan for many radios, on every port given at once.
    int fleet(const Arguments &args);
    // recovercommand.cpp: the kept journals, or one journal's last state as a data file.
    int recover(const Arguments &args);

private:

    int usageError(const QString &text, const QString &command = QString());
    bool choosePort(const Arguments &args, PortChoice &port);
    int loadDataFile(const QString &path, MemoryImage &image);
    int saveDataFile(const MemoryImage &image, const QString &path);
    // A data file, a configuration text or (with `channelsOnlyAllowed`) a channel CSV.
    int loadPlanFile(const QString &path, MemoryImage &image, bool channelsOnlyAllowed);
    // Judges the rows against the --into file, places them as --mode and --at say, and
    // writes -o only when the whole merge went through.
    int mergeRows(const Arguments &args, const QString &command, QVector<ChannelMerge::Row> rows, const QString &source);
    // Reads the radio and lists where it differs from `expected` in rows 0..783.
    // changedcommands.cpp: write --changed-only [--dry-run], after the file has loaded.
    int writeChanged(const Arguments &args, const MemoryImage &plan, const PortChoice &port);
    int compareWithRadio(const MemoryImage &expected, const PortChoice &port, bool progress, const QString &what);

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_errIsTerminal;
};
