#pragma once

#include "channels/channelmoves.h"
#include "editor/editorwindow.h"

class ChannelGridModel;
class ChannelGridView;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QVBoxLayout;
class QWidget;

// The channel editor (frm_chann): the 200 channels as a grid, edited in place, plus the
// window's own read and write of the channel and name areas. Channels are also edited
// as a spreadsheet's rows are: several at once, through the clipboard, moved, sorted,
// found and printed, from the grid's menu, the main window's Edit menu and their keys.
class ChannelEditor : public EditorWindow
{
    Q_OBJECT
public:
    explicit ChannelEditor(QWidget *parent = nullptr);

    static constexpr double WidthDivisor = 1.06;
    static constexpr double HeightDivisor = 1.26;
    // Placement inside the main window's client area.
    static QRect placement(const QSize &mainWindow, const QSize &clientArea)
    {
        return EditorWindow::placement(mainWindow, clientArea, WidthDivisor, HeightDivisor);
    }

    ChannelGridModel *model() const { return m_model; }
    QTableView *grid() const;
    ChannelGridView *gridView() const { return m_grid; }

    // Shows every channel again from the image (on opening and on every activation).
    void redisplay() override;
    QList<QAction *> editMenuActions() const override { return m_menuActions; }

    // Writes the printed channel list to `path`; false (and a message) when it cannot.
    bool exportPdf(const QString &path);
    // Moves to the next channel after the current one whose name holds `text` or whose
    // frequency starts with it, round the end; false when none does.
    bool findNext(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    AreaTransfer transfer() const override { return AreaTransfer::channels(); }
    QString writeRefusal() const override;
    void clearArea(Document::Contents &contents) override;
    void loadDefaults(Document::Contents &contents) override;
    // The grid's model follows the document itself, row by row.
    bool shows(const DocumentRanges &) const override { return false; }
    void afterRead() override;
    void showTransferProgress(int done, int total) override;

private:
    void moveAfterEnter(const QModelIndex &from);
    void showRefusalText(const BiText &title, const QString &english, const QString &chinese);
    void fitColumns();
    // Leaves any open cell editor, so an action works on a committed grid; the
    // selection stays.
    void leaveEditedCell();

    void makeActions();
    QAction *makeAction(const char *objectName, const BiText &text, const QKeySequence &key,
                        void (ChannelEditor::*slot)());
    void makeFindBar();
    void showContextMenu(const QPoint &at);
    // The channel actions refuse while a transfer runs; true when this one did.
    bool refusedNow();

    void copyChannels();
    void cutChannels();
    void pasteChannels();
    void deleteChannels();
    void selectAllChannels();
    void insertEmptyChannel();
    void removeClosingGap();
    void moveUp() { moveBy(true); }
    void moveDown() { moveBy(false); }
    void moveBy(bool up);
    void sortByRx() { sortBy(ChannelMoves::SortKey::RxFrequency); }
    void sortByName() { sortBy(ChannelMoves::SortKey::Name); }
    void sortByTone() { sortBy(ChannelMoves::SortKey::RxTone); }
    void sortBy(ChannelMoves::SortKey key);
    void showFindBar();
    void findAgain();
    void printChannels();
    void exportPdfAsked();

    ChannelGridModel *m_model = nullptr;
    ChannelGridView *m_grid = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_findText = nullptr;
    QLabel *m_findStatus = nullptr;
    QMenu *m_sortMenu = nullptr;
    // In the order the menus show them, separators included.
    QList<QAction *> m_menuActions;
};
