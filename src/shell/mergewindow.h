#pragma once

#include "channels/channelmerge.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class MergePanel;

// "Merge channels from file...": the channels of a data file, a channel CSV or a
// configuration text, to be put into the document through the merge panel.
class MergeWindow : public QWidget
{
    Q_OBJECT
public:
    MergeWindow(const QVector<ChannelMerge::Row> &rows, const QString &fileName, QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);
    MergePanel *panel() const { return m_panel; }

private:
    MergePanel *m_panel = nullptr;
};

namespace MergeActions {
// Asks for a file of any kind the program reads and opens the merge window on it; a file
// that cannot be read gets its message and no window.
void mergeFromFile(QWidget *parent);
// Asks for a repeater list and opens the import window on it.
void importRepeaters(QWidget *parent);
// Closes the window that hosts `w` (an MDI frame or the widget itself).
void closeHost(QWidget *w);
// The outcome of a merge: its counts and its first lines, in one message box.
void tellMerged(QWidget *parent, const QStringList &report);
} // namespace MergeActions
