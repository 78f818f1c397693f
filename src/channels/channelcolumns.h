#pragma once

#include "channels/channelrecord.h"
#include "editor/gridcell.h"
#include "texts/language.h"

#include <QString>
#include <QStringList>

// One column of the channel grid: the field it shows, its header in both languages, its
// width, the editor laid over it and how a channel fills it. The grid's model, its
// delegates, its widths and the printed list all read this one table, so a column is
// described in one place.
struct ChannelFields
{
    // A field's value is its column's position in the grid.
    enum Field {
        Number,
        Band,
        RxFrequency,
        TxFrequency,
        RxTone,
        TxTone,
        Power,
        Bandwidth,
        PttId,
        BusyLock,
        ScanAdd,
        SignalCode,
        Signalling,
        MuteMode,
        Scrambler,
        Name,
        ColumnCount
    };
};

struct ChannelColumn
{
    using Field = ChannelFields::Field;

    // None: the number, never edited. Text: the text overlay (frequencies, name).
    // List: the list overlay. TypedList: the tone lists, which also take a typed tone.
    using Editor = GridCell::Editor;

    Field field;
    BiText header;
    int width;
    Editor editor;
    // The header format marks centred columns with "^"; the name is left-aligned.
    bool centred;
    // What a non-empty channel shows; null for the number, which is the row's own.
    QString (ChannelRecord::*text)() const;
    // The value list of a list column, position = stored value.
    const QStringList &(*entries)();
    // Stores a chosen list position; null where the column has a rule of its own.
    bool (ChannelRecord::*setPosition)(int);

    static constexpr int Count = ChannelFields::ColumnCount;
    static const ChannelColumn &at(int column);
    bool isList() const { return editor == Editor::List || editor == Editor::TypedList; }
    // The keys the column's box takes; null where it takes anything.
    const KeyRule *keys() const;
};
