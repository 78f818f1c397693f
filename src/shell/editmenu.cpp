#include "shell/editmenu.h"

#include "image/document.h"
#include "editor/editorwindow.h"
#include "platform/messagebox.h"
#include "shell/childhost.h"
#include "shell/shelltexts.h"
#include "texts/commontexts.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QUndoStack>

EditMenu::EditMenu(QMenu *menu, QAction *undo, QAction *redo, ChildHost &children, QWidget *window)
    : QObject(menu)
    , m_menu(menu)
    , m_undo(undo)
    , m_redo(redo)
    , m_children(children)
    , m_window(window)
    , m_editorEntriesSeparator(new QAction(this))
{
    m_editorEntriesSeparator->setSeparator(true);
    QUndoStack &history = Document::instance().history();
    connect(&history, &QUndoStack::indexChanged, this, &EditMenu::showCaptions);
    connect(&history, &QUndoStack::cleanChanged, this, &EditMenu::showCaptions);
}

void EditMenu::showCaptions()
{
    const bool chinese = Language::isChinese();
    const Document &document = Document::instance();
    // "Undo: channel 12 RX frequency" / "撤销：信道 12 接收频率"
    auto caption = [chinese](const BiText &verb, const QString &step) {
        if (step.isEmpty())
            return verb.text(chinese);
        return verb.text(chinese) + (chinese ? QStringLiteral("：") : QStringLiteral(": ")) + step;
    };
    m_undo->setText(caption(ShellText::EditUndo, document.undoLabel(chinese)));
    m_undo->setEnabled(document.canUndo());
    m_redo->setText(caption(ShellText::EditRedo, document.redoLabel(chinese)));
    m_redo->setEnabled(document.canRedo());
}

void EditMenu::showEditorEntries(QMdiSubWindow *active)
{
    for (const QPointer<QAction> &a : std::as_const(m_editorEntries)) {
        if (a)
            m_menu->removeAction(a);
    }
    m_editorEntries.clear();
    m_menu->removeAction(m_editorEntriesSeparator);
    // A file window or dialog in front keeps the entries of the editor behind it away:
    // they would act on a window the user is not looking at.
    auto *editor = active ? qobject_cast<EditorWindow *>(active->widget()) : nullptr;
    if (!editor || editor->editMenuActions().isEmpty())
        return;
    m_menu->addAction(m_editorEntriesSeparator);
    for (QAction *a : editor->editMenuActions()) {
        m_menu->addAction(a);
        m_editorEntries << a;
    }
}

void EditMenu::undoOrRedo(bool undo)
{
    // A read would store over what Undo brought back, and a write is sending the
    // bytes as they were when it started.
    if (m_children.transferRunning()) {
        MessageBox::show(m_window, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    Document &document = Document::instance();
    if (undo)
        document.undo();
    else
        document.redo();
}
