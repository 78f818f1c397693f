#pragma once

#include "link/changedwrite.h"
#include "link/transferwindow.h"

#include <QRect>
#include <QSize>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Write changes to radio...": reads the radio into an image of its own, lists what a
// write of the document would change there, grouped by area, and on the button keeps a
// backup, sends only the differing frames and reads them back. The document is never
// touched. The comparison starts as the window opens; it stands on the radio's history
// when it can (ChangedWrite::compareQuick), unless "Read the whole radio first" is ticked.
class ChangesWindow : public TransferWindow
{
    Q_OBJECT
public:
    explicit ChangesWindow(QWidget *parent = nullptr);

    static QRect placement(const QSize &mainWindow, const QSize &clientArea);

    ChangedWrite &changes() { return m_changes; }
    bool isBusy() const { return m_changes.isBusy(); }
    bool refusesClose() const override { return isBusy(); }
    // The last backup this window kept, or an empty text.
    QString backupPath() const { return m_backupPath; }

    // Reads and compares again; the window does this once by itself when it opens.
    void start();

signals:
    // The comparison is shown, or the write has ended either way, or the read failed.
    void settled();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showProgress(int done, int total);
    void showComparison();
    void writeClicked();
    void closeClicked();
    void showFinished();
    void showFailure();
    void showFallBack();

    ChangedWrite m_changes;
    QLabel *m_otherRadio = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_baseline = nullptr;
    QCheckBox *m_wholeRead = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_backup = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_close = nullptr;
    QString m_backupPath;
};
