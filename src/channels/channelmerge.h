#pragma once

#include "image/bandlimits.h"
#include "texts/language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class MemoryImage;

// Channels from another plan put into this one: which rows come, where each lands, and the
// merge itself as one change of the image. A row is a whole channel (its record and its
// name row), so whatever the source holds comes byte for byte.
namespace ChannelMerge {

enum class Placement {
    EmptyFrom,   // each row into the next empty channel from the start on
    InsertAt,    // at the start, shifting the rest down as the channel editor inserts
    ReplaceSame, // over the channel of the same number
};

struct Row
{
    // The channel number in the source, where "replace the same numbers" puts it; -1 for a
    // row that has none (a repeater list's), which then counts from the start.
    int source = -1;
    // The line of the list it came from, for a row that has no source number.
    int line = 0;
    QByteArray record; // 16 bytes
    QByteArray name;   // the name row, 16 bytes
    bool checked = true;
    // RX, TX and both tones as a channel of the plan already has them.
    bool duplicate = false;
    int duplicateOf = -1;
    // The radio's band limits refuse it: never merged, whatever its check box says.
    bool refused = false;
    BiText reason{"", ""};
    // Said beside the row in the preview and the report (a name cut, a distance).
    QString noteEn;
    QString noteZh;
    QString note(bool chinese) const { return chinese ? noteZh : noteEn; }

    // From the user's location, for a list that gives coordinates; negative for none.
    double distanceKm = -1;

    bool merges() const { return checked && !refused; }
};

// Every channel in use of `source`, in channel order.
QVector<Row> rowsOf(const MemoryImage &source);

// Marks duplicates of `plan`'s channels and rows `limits` refuse, and unchecks both (the
// duplicates only when asked).
void judge(QVector<Row> &rows, const MemoryImage &plan, const BandLimits &limits, bool uncheckDuplicates = true);

struct Landing
{
    bool ok = false;
    // Per row: the channel it lands on, or -1 when it is not merged.
    QVector<int> targets;
    BiText refusal{"", ""};
    int refusalChannel = -1;
    int wanted = 0; // rows that merge
    QString refusalText(bool chinese) const;
    int count() const;
};

// Where each merging row lands, without changing anything.
Landing place(const MemoryImage &plan, const QVector<Row> &rows, Placement placement, int start);

// Puts the merging rows into `image` as place() says. False, with the image as it was,
// when the placement refuses.
bool merge(MemoryImage &image, const QVector<Row> &rows, Placement placement, int start, Landing *landing = nullptr);

// The grid's words for a row: RX, TX, tones, width and power as a channel shows them.
struct Shown
{
    QString name, rx, tx, rxTone, txTone, width, power;
};
Shown shown(const Row &row);

// "channel 5" or "line 12": how the messages name a row.
QString rowName(const Row &row, bool chinese);

// What a merge did, for the command line and a message box: "merged 3, refused 1,
// skipped 2", then a line per row.
QStringList report(const QVector<Row> &rows, const Landing &landing, bool chinese);

} // namespace ChannelMerge
