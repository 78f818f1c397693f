#include "channels/channeldelegates.h"

#include "link/gridfit.h"

#include "channels/channelgridmodel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QRegularExpressionValidator>

namespace {

const char *IndexProperty = "orvaneIndex";
const char *InitialTextProperty = "orvaneInitialText";

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Keys that edit or move inside a box rather than type a character.
bool isEditingKey(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_F4:
        return true;
    default:
        return key->text().isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }
}

QModelIndex editorIndex(const QObject *editor)
{
    return editor->property(IndexProperty).value<QPersistentModelIndex>();
}

} // namespace

QWidget *ChannelTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Text_Edit"));
    edit->setFrame(false);
    edit->setProperty(IndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    const QVariant header = index.model()->headerData(index.column(), Qt::Horizontal);
    edit->setAccessibleName(header.toString().trimmed());
    if (index.column() != ChannelGridModel::Name) {
        // Frequencies are typed as MHz with a decimal point.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), edit));
    }
    edit->installEventFilter(const_cast<ChannelTextDelegate *>(this));
    return edit;
}

void ChannelTextDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->setModified(false);
    edit->selectAll();
}

void ChannelTextDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    if (!edit->isModified())
        return;
    edit->setModified(false);
    model->setData(index, edit->text(), Qt::EditRole);
}

void ChannelCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool ChannelTextDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (edit && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
        // Every text cell, the name included, is committed by Enter; the cursor then
        // moves on as the model says (from the name cell it stays).
        const QModelIndex index = editorIndex(edit);
        emit commitData(edit);
        emit closeEditor(edit, QAbstractItemDelegate::NoHint);
        emit enterPressed(index);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget *ChannelListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("Combo_edit"));
    combo->setProperty(IndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    combo->addItems(ChannelGridModel::listEntries(index.column()));
    combo->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString().trimmed());
    combo->setMaxVisibleItems(16);
    GridFit::widenPopup(combo);
    if (ChannelGridModel::isToneColumn(index.column())) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->lineEdit()->installEventFilter(const_cast<ChannelListDelegate *>(this));
    }
    combo->installEventFilter(const_cast<ChannelListDelegate *>(this));
    return combo;
}

void ChannelListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    const QString text = index.data(Qt::EditRole).toString().trimmed();
    combo->setCurrentIndex(combo->findText(text));
    if (combo->isEditable()) {
        combo->setEditText(text);
        // Typing replaces the shown tone rather than appending to it.
        combo->lineEdit()->selectAll();
    }
    combo->setProperty(InitialTextProperty, combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex()));
}

void ChannelListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    const QString now = combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    if (now == combo->property(InitialTextProperty).toString())
        return;
    combo->setProperty(InitialTextProperty, now);
    if (!combo->isEditable() && combo->currentIndex() < 0)
        return;
    model->setData(index, combo->currentText(), Qt::EditRole);
}

bool ChannelListDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    auto *key = static_cast<QKeyEvent *>(event);
    QComboBox *combo = qobject_cast<QComboBox *>(object);
    if (!combo && object->parent())
        combo = qobject_cast<QComboBox *>(object->parent());
    if (!combo)
        return QStyledItemDelegate::eventFilter(object, event);
    const QModelIndex index = editorIndex(combo);

    if (isEnter(key)) {
        if (index.column() == ChannelGridModel::Band)
            return true;
        emit commitData(combo);
        emit closeEditor(combo, QAbstractItemDelegate::NoHint);
        emit enterPressed(index);
        return true;
    }
    if (ChannelGridModel::isToneColumn(index.column()) && !isEditingKey(key)) {
        // A tone is typed as a CTCSS value or a DCS code: digits, ".", "D", "N", "I".
        const QString text = key->text().toUpper();
        static const QString allowed = QStringLiteral("0123456789.DNI");
        if (text.size() != 1 || !allowed.contains(text))
            return true;
        if (text != key->text()) {
            QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), text);
            QCoreApplication::sendEvent(object, &upper);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
