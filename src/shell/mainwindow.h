#pragma once

#include "files/filewindow.h"
#include "shell/childhost.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

class EditMenu;
class EditorWindow;
class IdentificationExchange;
class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
struct MenuRow;

// The frame window (MDImain): hosts every editor as a child window (ChildHost), carries
// the menus and the toolbar (built from their rows), Edit (EditMenu), the status bar and
// the language, and runs the start-up sequence (mainwindowstartup.cpp).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int PanelCount = 11;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence, in its order. Separate from the constructor so that a test
    // can fake the screen before it runs.
    void startUp();

    // The one main window of the process, or null before it exists.
    static MainWindow *instance();

    QMdiArea *mdiArea() const { return m_mdi; }
    QAction *menuAction(const QString &objectName) const;
    QAction *toolbarAction(const QString &key) const;
    QLabel *statusPanel(int panel) const; // 1 to 11
    // Share of the screen width of each panel, in percent.
    static int panelShare(int panel);

    ChildHost &children() { return *m_children; }
    using Placement = ChildHost::Placement;
    QMdiSubWindow *showChild(const QString &objectName, const std::function<QWidget *()> &make,
                             const Placement &place = Placement())
    {
        return m_children->show(objectName, make, place);
    }
    QWidget *child(const QString &objectName) const { return m_children->child(objectName); }
    QMdiSubWindow *childFrame(const QString &objectName) const { return m_children->frame(objectName); }
    // Returns false when the child refused to close (a transfer is running).
    bool closeChild(const QString &objectName) { return m_children->close(objectName); }

    void applyLanguage();

    // The data file windows: an open one of the same kind is closed and a fresh one opened.
    void showDataFileWindow(bool save);
    // The same for the adjust file windows of the alignment editor.
    void showAdjustFileWindow(bool save);
    // Closing an editor closes any file window that is open.
    void closeFileWindows();
    // Opens (or brings up) an editor of the registry; null when it is not registered or
    // the editor it replaces refused to close.
    EditorWindow *showEditor(const char *objectName);
    void showChannelEditor();
    // The write window is closed if open and opened afresh.
    void showWriteWindow();
    void showChangesWindow();
    // Program several radios: one window, brought up again while it is open.
    void showFleetWindow();
    // File > "Recover unsaved work...", enabled while a journal of another run is kept.
    void showRecoveryWindow();
    void showRecoverable();
    // Read from radio: a read window that is open is closed first (menu) or brought up
    // (toolbar).
    void showReadWindow(bool reopen);
    void showPortSetup();
    // The about box, not modal.
    void showAbout();
    // The main window's own conversation with the radio (start-up, port set-up).
    IdentificationExchange *identification() const { return m_identification; }

    // A file named outside the File menu's dialogs (the command line, a drop, the recent
    // files), opened as its File menu entry opens it; refused while a transfer runs. False
    // when nothing changed (a message said why).
    bool openFile(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    static const std::vector<MenuRow> &menuRows();
    static const std::vector<MenuRow> &toolbarRows();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void showFileWindow(FileWindow::Kind kind);
    void sizeStatusPanels();
    void showScreenAdviceIfSmall();
    void chooseLanguage(bool chinese);
    // Panels 2 to 10 as RadioStatus has them.
    void showRadioStatus();
    void exitFromToolbar();

    QMdiArea *m_mdi = nullptr;
    ChildHost *m_children = nullptr;
    EditMenu *m_editMenu = nullptr;
    QToolBar *m_toolbar = nullptr;
    QList<QLabel *> m_panels;
    QActionGroup *m_languageGroup = nullptr;
    IdentificationExchange *m_identification = nullptr;
};
