#pragma once

class QWidget;

// Who opened a port decides what the user is told when it does not open. The start-up
// scan tells nothing and so never calls this.
enum class PortOpener {
    MainWindow,     // port set-up and the identification exchange: "Operate Prompt" + short text
    TransferWindow, // read, write and editor windows: "Operate prompt" + long text
};

// The message a window shows when its port does not open.
void showPortOpenError(QWidget *parent, PortOpener opener);
