#pragma once

#include <QTableView>
#include <QVector>

// The channel grid (`MSF_Chann`): whole rows are selected, as many as the user likes
// (click, Shift+click, Ctrl+click, Shift+arrows, Ctrl+A). Moving the cursor along the
// selected rows (a click into one of them, Left, Right, Tab, the move after Enter) keeps
// them selected, so that a value committed there can go to all of them; the channel
// number column is the handle that picks one row again.
class ChannelGridView : public QTableView
{
    Q_OBJECT
public:
    explicit ChannelGridView(QWidget *parent = nullptr);
    using QTableView::edit;

    // The selected channels in ascending order; the current one when none is selected.
    QVector<int> selectedChannels() const;
    // Selects the channels `first`..`last` and puts the cursor on `first`'s number cell.
    void selectChannels(int first, int last);
    // The channels that were selected when the open cell editor opened: its value goes to
    // them, whatever the click that closes it selects. Empty without an open editor.
    QVector<int> editTargets() const { return m_editTargets; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QVector<int> m_editTargets;
};
