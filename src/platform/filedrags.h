#pragma once

class QWidget;

// A text box takes any drag that carries text, and a file manager's drag of a file does:
// dropped on a box, the file's path would be typed into it. Within `window`, every text box
// that exists now lets drags of files pass to the window behind it, which opens the file;
// drags of plain text still go into the box.
namespace FileDrags {

void passToWindow(QWidget *window);

} // namespace FileDrags
