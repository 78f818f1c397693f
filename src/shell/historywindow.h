#pragma once

#include "files/radiohistory.h"
#include "image/memoryimage.h"

#include <QRect>
#include <QSize>
#include <QWidget>

class CompareView;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// File > "Restore backup...": the radio history, radio by radio, each with its snapshots
// newest first and their kind. Compare lists how a snapshot differs from the document
// (no radio needed); Restore loads it as one undoable step, from that radio; "Other
// file..." is the file dialog for a data file kept anywhere else. A snapshot the history
// could not keep is said here, and nowhere else in the window a read or a write runs in.
class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);

    // Reads the history again; the chosen snapshot stays chosen while it exists.
    void refresh();
    QTreeWidget *list() const { return m_list; }
    CompareView *view() const { return m_view; }
    // The snapshot of a row, or an invalid one for a radio's row.
    RadioHistory::Snapshot snapshotAt(const QTreeWidgetItem *item) const;

private:
    RadioHistory::Snapshot current() const;
    void selectionChanged();
    void compareClicked();
    void restoreClicked();
    void showFailure(const QString &english, const QString &chinese);

    bool m_chinese;
    QVector<RadioHistory::Snapshot> m_snapshots;
    // What the view compares the document with; no name before the first Compare.
    MemoryImage m_compared;
    QString m_comparedName;
    QLabel *m_summary = nullptr;
    QLabel *m_failure = nullptr;
    QTreeWidget *m_list = nullptr;
    CompareView *m_view = nullptr;
    QPushButton *m_compare = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_other = nullptr;
    QPushButton *m_close = nullptr;
};
