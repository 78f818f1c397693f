#pragma once

#include "link/editorwindow.h"

// What the three signalling windows share on the editor frame: the port message and
// completion title of the main window's kind, no refresh on activation (each shows its
// area again when it opens, after Default, after a read and after its own edits), and
// one button row in which every action waits for a running transfer (Default would be
// overwritten by a read and would change what a write is sending).
namespace SignallingFrame {

struct Texts
{
    BiText readDone;
    BiText writeDone;
    BiText readComplete;
    BiText writeComplete;
};

EditorWindow::Setup setup(const char *objectName, const BiText &caption, const Texts &texts, double widthDivisor,
                          double heightDivisor);
const QVector<EditorWindow::Button> &buttons();

} // namespace SignallingFrame
