#pragma once

#include "texts/language.h"

#include <functional>
#include <vector>

class EditorWindow;

// Every editor window the main window can open, in the order of its menu entries: its
// caption in the menu, where the entry and the toolbar button stand, what gives way to it
// and how it is made. The main window builds the entries, the buttons and the toolbar's
// exit from these rows, so a new editor is its own folder and one more row.
//
// The area's model parts (its defaults, its named fields for comparisons) are the row of
// `area` in areaentries, in the core library, which the command line uses without any
// window; the window declares its own transfer.
struct EditorEntry
{
    struct MenuPlace
    {
        const char *action; // the entry's object name, "chann_edit"
        const char *parent; // the submenu it stands in ("sig_edit"), or null for the menu bar
        BiText caption;
    };
    struct ToolbarPlace
    {
        const char *key = nullptr; // the button's object name and image, or null for none
        BiText tip{"", ""};
        int slot = 0;              // its place among the editor buttons, from the left
    };

    const char *objectName; // the window, "frm_chann"
    const char *area;       // its row in areaEntries()
    MenuPlace menu;
    ToolbarPlace toolbar;
    // Another editor that gives way to this one (closed first; if it refuses, this one
    // does not open), or null.
    const char *replaces;
    // The toolbar's Exit closes it before the program closes.
    bool closedByToolbarExit;
    std::function<EditorWindow *()> make;
};

// The editors' window object names: only the registry's rows name a window (the main
// window sets it when it hosts one); code that opens one by name uses these.
namespace EditorName {
inline constexpr char Fm[] = "frm_FM";
inline constexpr char Channels[] = "frm_chann";
inline constexpr char Options[] = "frm_option";
inline constexpr char Dtmf[] = "frm_dtmf";
inline constexpr char TwoTone[] = "frm_2tone";
inline constexpr char FiveTone[] = "frm_5tone";
inline constexpr char Alignment[] = "frm_Adj_Txp";
} // namespace EditorName

const std::vector<EditorEntry> &editorRegistry();
const EditorEntry *findEditor(const char *objectName);
