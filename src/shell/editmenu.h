#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class ChildHost;
class QAction;
class QMdiSubWindow;
class QMenu;
class QWidget;

// Edit: Undo and Redo through the document, named after the step they would take in the
// current language, and after them the entries of the editor in front.
class EditMenu : public QObject
{
    Q_OBJECT
public:
    EditMenu(QMenu *menu, QAction *undo, QAction *redo, ChildHost &children, QWidget *window);

    void undoOrRedo(bool undo);
    void showCaptions();
    void showEditorEntries(QMdiSubWindow *active);

private:
    QMenu *m_menu;
    QAction *m_undo;
    QAction *m_redo;
    ChildHost &m_children;
    QWidget *m_window;
    QAction *m_editorEntriesSeparator;
    QList<QPointer<QAction>> m_editorEntries;
};
