#pragma once

#include "editor/keyrule.h"

#include <Qt>

// What a grid's model tells the one grid delegate (GridDelegate) about each cell, so that
// one set of overlays serves every grid and a grid says in its model, not in its window,
// how a cell is edited. An enum role a model does not answer takes its first value.
namespace GridCell {

// None: never edited. Text: the text overlay. List: the list overlay. TypedList: the
// list overlay that also takes a typed value (a tone).
enum class Editor { None, Text, List, TypedList };

// When a list's entry is stored. OnLeaving: when the cell is left, and only if the
// entry differs from the one it opened on; the list jumps to the entry a typed letter
// starts. OnChoice: as soon as an entry is chosen; typed letters are dropped, so that a
// stray key stores nothing.
enum class Store { OnLeaving, OnChoice };

// What Enter does in an open cell. Default: the view's own (the box sees the key, then
// the cell is committed and closed). Commits: the cell is committed and closed at once
// and the delegate reports enterPressed, for a window that moves the cursor on.
// Ignored: nothing.
enum class Enter { Default, Commits, Ignored };

enum Role {
    EditorRole = Qt::UserRole + 1, // int(Editor)
    EntriesRole,                   // QStringList: a list cell's entries
    PositionRole,                  // int: the entry the stored value shows, -1 for none
    PresetRole,                    // int: the entry an empty cell's list opens on; unanswered: none
    KeysRole,                      // KeyRule: what a text (or a typed list) takes; unanswered: anything
    StoreRole,                     // int(Store)
    EnterRole,                     // int(Enter)
};

} // namespace GridCell
