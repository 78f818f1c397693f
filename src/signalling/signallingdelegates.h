#pragma once

#include <QStyledItemDelegate>

// The overlays of the signalling grids. What a cell takes comes from the model's roles
// (SignallingGridModel), so the same two overlays serve every grid. Passing through a cell
// is not an edit: a text is committed when the cell is left and only if it was changed,
// a list stores only an entry the user chose.

// The text overlay (`Text_Edit`): only the cell's own keys, up to its length.
class GridTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};

// The list overlay (`Combo_edit`): opens on the cell's stored entry (or the column's
// preset for an empty cell) and stores the entry as soon as it is chosen.
class GridListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
