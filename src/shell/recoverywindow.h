#pragma once

#include "files/journalstore.h"

#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// File > "Recover unsaved work...": the kept journals of earlier runs (and of other copies
// still running), newest first. Recover replaces the document with a journal's last
// state as one undoable step; Delete removes a journal after asking. The run's own
// journal is not listed: it is the document.
class RecoveryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit RecoveryWindow(const QString &folder, const QString &ownJournal, QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);

    // Reads the journals again.
    void refresh();
    const QVector<JournalStore::Run> &runs() const { return m_runs; }
    QTreeWidget *list() const { return m_list; }

    // What a row says of a run, in the window's language.
    static QString stateText(const JournalStore::Run &run, bool sameAsDocument, bool chinese);

private:
    int currentRun() const;
    void selectionChanged();
    void recoverClicked();
    void deleteClicked();

    QString m_folder;
    QString m_own;
    bool m_chinese;
    QVector<JournalStore::Run> m_runs;
    QLabel *m_summary = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_recover = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
};
