#pragma once

#include "link/editorwindow.h"

class ChannelGridModel;
class ChannelListDelegate;
class ChannelTextDelegate;
class QTableView;
class QVBoxLayout;

// The channel editor (frm_chann): the 200 channels as a grid, edited in place, plus the
// window's own read and write of the channel and name areas.
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
    QTableView *grid() const { return m_grid; }

    // Shows every channel again from the image (on opening and on every activation).
    void redisplay() override;

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
    void showRefusal(const BiText &title, const BiText &text);
    void fitColumns();
    // Leaves any open cell editor, so a button acts on a committed grid.
    void leaveEditedCell();

    ChannelGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    ChannelTextDelegate *m_textDelegate = nullptr;
    ChannelListDelegate *m_listDelegate = nullptr;
    QVBoxLayout *m_layout = nullptr;
};
