#pragma once

#include "image/bandlimits.h"
#include "texts/language.h"

#include <QByteArray>
#include <QString>

class MemoryImage;

// A plan read from a file of any kind the program reads: a data file, a channel CSV in the
// layout the CSV import reads, or a configuration text. The kind is told by the contents,
// so a file named wrongly still reads as what it is.
namespace PlanSource {

enum class Kind { DataFile, ChannelCsv, ConfigText };

// Limits wide enough for every packable frequency: a plan from elsewhere is shown and
// compared as it is, and the rows the radio's own limits refuse are judged one by one.
constexpr BandLimits AnyBand{0, 1598, 1599, 1599};

struct Result
{
    bool ok = false;
    Kind kind = Kind::DataFile;
    // "plan.csv: Line 5, column Frequency, value "abc": not a frequency in MHz"
    QString errorEn;
    QString errorZh;
    QString error(bool chinese) const { return chinese ? errorZh : errorEn; }
};

// Reads `bytes` into `image`, which is changed only when the result is ok. A data file
// gives the whole image; a configuration text is read over the start-up defaults; a
// channel CSV gives exactly the channels it lists on an image that is otherwise empty.
// `fileName` starts every message.
Result read(const QByteArray &bytes, const QString &fileName, MemoryImage &image);

// Whether the file was read over a base rather than being whole.
inline bool listsOnlyChannels(Kind kind) { return kind == Kind::ChannelCsv; }

} // namespace PlanSource
