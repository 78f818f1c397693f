#include "channels/channelgridview.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>

ChannelGridView::ChannelGridView(QWidget *parent)
    : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

QVector<int> ChannelGridView::selectedChannels() const
{
    QVector<int> channels;
    if (selectionModel()) {
        for (const QModelIndex &i : selectionModel()->selectedRows())
            channels << i.row();
    }
    std::sort(channels.begin(), channels.end());
    if (channels.isEmpty() && currentIndex().isValid())
        channels << currentIndex().row();
    return channels;
}

void ChannelGridView::selectChannels(int first, int last)
{
    if (!model() || !selectionModel())
        return;
    const QModelIndex top = model()->index(first, 0);
    selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(top, model()->index(last, model()->columnCount() - 1)),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(top);
}

QItemSelectionModel::SelectionFlags ChannelGridView::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    if (!(flags & QItemSelectionModel::Clear) || !index.isValid() || index.column() == 0)
        return flags;
    if (selectionModel()->selectedRows().size() < 2 || !selectionModel()->isRowSelected(index.row(), QModelIndex()))
        return flags;
    if (event && event->type() == QEvent::KeyPress) {
        switch (static_cast<const QKeyEvent *>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            break;
        default:
            return flags;
        }
    }
    return QItemSelectionModel::NoUpdate;
}

bool ChannelGridView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const QVector<int> targets = selectedChannels();
    if (!QTableView::edit(index, trigger, event))
        return false;
    m_editTargets = targets;
    return true;
}

void ChannelGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The commit has run by now.
    m_editTargets.clear();
    QTableView::closeEditor(editor, hint);
}
