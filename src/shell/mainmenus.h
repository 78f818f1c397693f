#pragma once

#include "texts/language.h"

#include <QKeySequence>

class MainWindow;
class QMenu;

// One row of the main window's menu bar or toolbar: its object name, its caption pair
// (the toolbar's: its tip), what it does and its keys. The menus, the toolbar and their
// captions in both languages are built from these rows alone.
struct MenuRow
{
    enum Kind {
        Menu,       // a menu on the bar; the entries after it stand in it
        Entry,      // an entry of the menu above it (on the toolbar: a button)
        BarEntry,   // an entry on the menu bar itself
        Separator,
        Editors,    // the editor registry's entries (or buttons), in the order of its rows
        EditorMenu, // the caption of a submenu the editors' entries name as theirs
        Submenu,    // a submenu of the menu above, filled by `fill` each time it opens
    };
    Kind kind;
    const char *objectName = nullptr;
    BiText caption{"", ""};
    void (*handler)(MainWindow &) = nullptr;
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    const char *keys = nullptr; // portable text, "Ctrl+Shift+Z; Ctrl+Y"
    bool applicationWide = false; // the keys work in every child window too
    void (*fill)(MainWindow &, QMenu *) = nullptr;
};
