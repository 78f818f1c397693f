#pragma once

#include "channels/channelcsv.h"
#include "image/bandlimits.h"
#include "texts/language.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class MemoryImage;

// Channels on the clipboard. A copy carries three forms of the same channels: the CSV of
// the channel import and export with its header, the same columns separated by tabs (what
// a spreadsheet pastes as cells), and the exact record and name bytes, so that a paste
// into this program moves a channel whole, fields the CSV has no column for included.
namespace ChannelClipboard {

inline constexpr const char *CsvMime = "text/csv";
inline constexpr const char *BytesMime = "application/x-orvane-channels";

struct Copy
{
    QByteArray csv;
    QString tabSeparated;
    QByteArray bytes; // record row then name row, per channel
};
Copy copy(const MemoryImage &image, const QVector<int> &channels, const BandLimits &limits = BandLimits::current());

struct Paste
{
    enum class Outcome { Done, Nothing, PastTheEnd, BadRows };
    Outcome outcome = Outcome::Nothing;
    // Channels the text holds, and where they went.
    int count = 0;
    int first = 0;
    // The import's findings, lines as the pasted text numbers them.
    ChannelCsv::ImportResult import;

    bool ok() const { return outcome == Outcome::Done; }
    // The one message of a refused paste; empty when it was done.
    QString refusal(bool chinese) const;
};

// Places the channels of `text` (CSV or tab-separated, with or without the header) from
// channel `first` on, in their order, whatever Locations they give. Every row is checked
// by the CSV import's rules first, and nothing is stored unless all pass and all fit
// before the end of the channel table. `bytes`, when it holds exactly the text's channels,
// is what is then stored.
Paste paste(const QString &text, const QByteArray &bytes, MemoryImage &image, int first,
            const BandLimits &limits = BandLimits::current());

} // namespace ChannelClipboard
