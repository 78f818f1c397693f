#pragma once

#include <QStyledItemDelegate>

// Editors laid over the channel grid. A cell is committed when the cursor leaves it,
// and only when the user changed something: passing through a cell is not an edit.
// Enter commits and asks the window to move on (enterPressed); in the band list and the
// name box Enter does nothing.

// What both overlays share: they cover their cell exactly and report Enter.
class ChannelCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void enterPressed(const QModelIndex &index) const;
};

// The text overlay (`Text_Edit`) of the frequency and name columns.
class ChannelTextDelegate : public ChannelCellDelegate
{
    Q_OBJECT
public:
    using ChannelCellDelegate::ChannelCellDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};

// The list overlay (`Combo_edit`) of the band, tone and setting columns. The tone lists
// also take a typed CTCSS value or a tone name.
class ChannelListDelegate : public ChannelCellDelegate
{
    Q_OBJECT
public:
    using ChannelCellDelegate::ChannelCellDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};
