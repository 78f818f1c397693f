#include "signalling/signallingdelegates.h"

#include "link/gridfit.h"

#include "signalling/signallinggridmodel.h"
#include "link/keypolicy.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
const char *ChosenProperty = "orvaneChosen";

QString accessibleNameOf(const QModelIndex &index)
{
    return index.model()->headerData(index.column(), Qt::Horizontal).toString().trimmed();
}
} // namespace

QWidget *GridTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Text_Edit"));
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignCenter);
    edit->setAccessibleName(accessibleNameOf(index));
    KeyPolicy::install(edit, KeyPolicy::Rule::characters(index.data(SignallingGridModel::AllowedKeysRole).toString(),
                                                          index.data(SignallingGridModel::MaxLengthRole).toInt()));
    edit->installEventFilter(const_cast<GridTextDelegate *>(this));
    return edit;
}

void GridTextDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    // Shown again after every store; the box keeps what the user is typing.
    if (edit->isModified())
        return;
    edit->setText(index.data(Qt::EditRole).toString());
    edit->selectAll();
}

void GridTextDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    if (!edit->isModified())
        return;
    edit->setModified(false);
    model->setData(index, edit->text(), Qt::EditRole);
}

void GridTextDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool GridTextDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(edit);
            emit closeEditor(edit, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget *GridListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("Combo_edit"));
    combo->setAccessibleName(accessibleNameOf(index));
    combo->addItems(index.data(SignallingGridModel::EntriesRole).toStringList());
    combo->setMaxVisibleItems(16);
    GridFit::widenPopup(combo);
    KeyPolicy::selectOnly(combo);
    connect(combo, &QComboBox::activated, this, [this, combo] {
        combo->setProperty(ChosenProperty, true);
        emit const_cast<GridListDelegate *>(this)->commitData(combo);
    });
    return combo;
}

void GridListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    if (combo->property(ChosenProperty).toBool())
        return;
    const int stored = index.data(SignallingGridModel::PositionRole).toInt();
    combo->setCurrentIndex(stored >= 0 ? stored : index.data(SignallingGridModel::PresetRole).toInt());
}

void GridListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    if (!combo->property(ChosenProperty).toBool())
        return;
    combo->setProperty(ChosenProperty, false);
    model->setData(index, combo->currentIndex(), Qt::EditRole);
}

void GridListDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
