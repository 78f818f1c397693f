#pragma once

#include <QString>
#include <functional>

class QWidget;

// The File menu's channel CSV entries: the platform's own file dialog, then the channel
// CSV model on the process-wide image, and one message box with the outcome.
namespace ChannelCsvActions {

// Asks for a file and replaces the channels it lists; every row must pass the grid's
// rules against the current band limits, or nothing changes.
void importChannels(QWidget *parent);
// Asks for a file name and writes every non-empty channel to it.
void exportChannels(QWidget *parent);

// Tests stand in for the dialog: given whether a file is to be saved, the chooser returns
// a path, or an empty text for Cancel. An empty chooser brings the dialog back.
using PathChooser = std::function<QString(bool save)>;
void setPathChooser(const PathChooser &chooser);

} // namespace ChannelCsvActions
