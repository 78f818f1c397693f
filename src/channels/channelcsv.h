#pragma once

#include "channels/csvtext.h"

#include "image/bandlimits.h"
#include "texts/language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class MemoryImage;

// The channel table as comma-separated text, in the column layout the common hobby
// programming tool reads and writes, so a plan can live in a spreadsheet or move between
// radios of different makes. Bytes in, bytes out: the caller reads and writes the files.
//
// Reading checks every value by the channel grid's own rules (band entry check, tone table,
// names cut to six characters and upper-cased) and changes nothing unless every row passes.
namespace ChannelCsv {

// The header, in the order written.
const QStringList &columns();

// One row per non-empty channel after the header, CR LF line ends. Whether a duplex pair
// is written as an offset or as a split depends on whether both frequencies lie in the
// same band of `limits`; either way it reads back to the same bytes.
QByteArray write(const MemoryImage &image, const BandLimits &limits = BandLimits::current());

// One record of comma- or tab-separated text, read as CsvText reads it.
using Record = CsvText::Record;
bool readRecords(const QString &text, QChar separator, QVector<Record> &records, int &openQuoteLine);

// One channel's fields in the order of columns(); an empty channel has only its Location,
// which the import reads as "empty this channel".
QStringList fieldsOf(const MemoryImage &image, int channel, const BandLimits &limits = BandLimits::current());
// Fields joined by `separator`, each quoted where it holds a separator, a quote, a line end
// or leading or trailing blanks.
QString line(const QStringList &fields, QChar separator);

struct Problem
{
    int line = 0;    // line of the file on which the row starts (the header is line 1)
    QString column;  // header name; empty when the file as a whole is at fault
    QString value;
    BiText reason;

    // "Line 5, column Frequency, value "abc": not a frequency in MHz"
    QString text(bool chinese) const;
};

struct ImportResult
{
    bool ok = false;
    // The first fault of each bad row, in file order. When this is not empty the image
    // was not touched.
    QVector<Problem> errors;
    // Values taken after a correction the grid also makes and reports (a name cut to six).
    QVector<Problem> notices;
    // The Locations replaced, in file order.
    QVector<int> channels;

    // One text for a message box: what went wrong and the first ten rows, then a count.
    QString errorMessage(bool chinese) const;
    // What was imported, followed by the notices in the same form.
    QString doneMessage(bool chinese) const;
};

// Replaces exactly the channels the file lists (by Location), leaving every other byte of
// the image as it was. Fields the layout has no column for keep their stored values, or
// the new-channel defaults for a channel that was empty. A row with an empty Frequency
// empties its channel, as clearing the grid's receive frequency does. A stored value that
// shows the same as the file's (an "OFF" tone stored as FF FF, say) is left as it is.
ImportResult importInto(const QByteArray &bytes, MemoryImage &image, const BandLimits &limits = BandLimits::current());

// Up to `shown` problems, one per line, then "... and N more".
QString problemList(const QVector<Problem> &problems, bool chinese, int shown = 10);

} // namespace ChannelCsv
