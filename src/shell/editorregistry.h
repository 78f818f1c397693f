#pragma once

#include <functional>
#include <vector>

class EditorWindow;

// Every editor window the main window can open: how it is named, which menu entry and
// toolbar button open it, and how it is made. A new editor is one more row.
struct EditorEntry
{
    const char *objectName; // the window, "frm_chann"
    const char *menuEntry;  // the menu action that opens it
    const char *toolbarKey; // the toolbar button that opens it, or null
    // Another editor that gives way to this one (closed first; if it refuses, this one
    // does not open), or null.
    const char *replaces;
    std::function<EditorWindow *()> make;
};

const std::vector<EditorEntry> &editorRegistry();
const EditorEntry *findEditor(const char *objectName);
