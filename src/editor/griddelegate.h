#pragma once

#include <QStyledItemDelegate>

// The overlays of every grid, laid over a cell as its model says (GridCell roles): the
// text overlay (`Text_Edit`) and the list overlay (`Combo_edit`), each covering its cell
// exactly and named for screen readers by its column's header. Passing through a cell
// is not an edit: a text is stored only when the user changed it, a list only the entry
// the user chose, and while the user is changing a cell the box keeps it whenever the
// model shows its cells again.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    // Enter committed a cell whose model asked for it (GridCell::Enter::Commits); the
    // window may move the cursor on.
    void enterPressed(const QModelIndex &index) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};
