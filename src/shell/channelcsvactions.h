#pragma once

#include <QString>

class QWidget;

// The File menu's channel CSV entries: the platform's own file dialog, then the channel
// CSV model on the process-wide image, and one message box with the outcome.
namespace ChannelCsvActions {

// Asks for a file and replaces the channels it lists; every row must pass the grid's
// rules against the current band limits, or nothing changes.
void importChannels(QWidget *parent);
// The same for a path chosen elsewhere (a drop); false when nothing changed.
bool importChannelsFrom(QWidget *parent, const QString &path);
// Asks for a file name and writes every non-empty channel to it.
void exportChannels(QWidget *parent);

} // namespace ChannelCsvActions
