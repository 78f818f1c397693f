#pragma once

#include "channels/channelcolumns.h"
#include "image/tonecodec.h"

#include <QString>
#include <optional>

class ChannelRecord;

// One value committed to a channel column, checked once, and what it stores in a
// channel's record: the grid's single cells and its commits to many channels apply the
// same rules through it.
struct ChannelValue
{
    // Checks `text` for `column`: a transmit frequency against the entry band check (an
    // empty one clears it), a tone by its codes, a list entry by its position, a name cut
    // to the record's length. Columns of none of these kinds give a value that fits nothing.
    static ChannelValue check(int column, const QString &text);

    // A frequency as typed into the grid, within the entry band check.
    static std::optional<qint64> entryCheckedHz(const QString &text);

    // Stores it in `record`; returns the name as the record keeps it for a name.
    QString storeIn(ChannelRecord &record) const;

    int column = -1;
    ChannelFields::Field field = ChannelFields::Number;
    QString text; // trimmed, and for a name cut to its length
    bool fits = false;
    bool nameCut = false;
    std::optional<qint64> txHz;
    std::optional<ToneCode> tone;
    int position = -1;
};
