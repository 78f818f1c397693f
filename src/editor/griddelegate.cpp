#include "editor/griddelegate.h"

#include "editor/gridcell.h"
#include "editor/gridfit.h"
#include "editor/keypolicy.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>

namespace {

using GridCell::Editor;
using GridCell::Enter;
using GridCell::Store;

const char *IndexProperty = "orvaneIndex";
// A list's entry, or a typed list's text, as it opened or was last stored.
const char *InitialProperty = "orvaneInitial";
// A list that stores on choice: chosen and not yet stored.
const char *ChosenProperty = "orvaneChosen";

int intOf(const QModelIndex &index, int role, int unanswered)
{
    const QVariant value = index.data(role);
    return value.isValid() ? value.toInt() : unanswered;
}

Editor editorOf(const QModelIndex &index)
{
    return Editor(index.data(GridCell::EditorRole).toInt());
}

Store storeOf(const QModelIndex &index)
{
    return Store(index.data(GridCell::StoreRole).toInt());
}

QModelIndex indexOf(const QObject *editor)
{
    return editor->property(IndexProperty).value<QPersistentModelIndex>();
}

// The overlay a key went to: the box itself, or the list a typed list's box is part of.
QWidget *overlayOf(QObject *object)
{
    if (object->property(IndexProperty).isValid())
        return qobject_cast<QWidget *>(object);
    QObject *parent = object->parent();
    return parent && parent->property(IndexProperty).isValid() ? qobject_cast<QComboBox *>(parent) : nullptr;
}

void installKeys(QLineEdit *edit, const QModelIndex &index)
{
    const QVariant keys = index.data(GridCell::KeysRole);
    if (keys.canConvert<KeyRule>())
        KeyPolicy::install(edit, keys.value<KeyRule>());
}

// What a list shows now, as compared with what it opened on.
QString listState(const QComboBox *combo)
{
    return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
}

} // namespace

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const Editor kind = editorOf(index);
    QWidget *editor = nullptr;
    if (kind == Editor::Text) {
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("Text_Edit"));
        edit->setFrame(false);
        // The text stays where the cell showed it.
        edit->setAlignment(Qt::Alignment(intOf(index, Qt::TextAlignmentRole, Qt::AlignLeft | Qt::AlignVCenter)));
        installKeys(edit, index);
        editor = edit;
    } else if (kind == Editor::List || kind == Editor::TypedList) {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("Combo_edit"));
        combo->addItems(index.data(GridCell::EntriesRole).toStringList());
        combo->setMaxVisibleItems(16);
        GridFit::widenPopup(combo);
        if (kind == Editor::TypedList) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
            installKeys(combo->lineEdit(), index);
            // The typed box gets the keys first: Enter must reach this delegate from it.
            combo->lineEdit()->installEventFilter(const_cast<GridDelegate *>(this));
        } else if (storeOf(index) == Store::OnChoice) {
            KeyPolicy::selectOnly(combo);
        }
        if (storeOf(index) == Store::OnChoice) {
            connect(combo, &QComboBox::activated, this, [this, combo] {
                combo->setProperty(ChosenProperty, true);
                emit const_cast<GridDelegate *>(this)->commitData(combo);
            });
        }
        editor = combo;
    } else {
        return nullptr;
    }
    editor->setProperty(IndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString().trimmed());
    return editor;
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Shown again after every store and whenever the model redisplays; what the user is
    // changing stays until it is stored.
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        if (edit->isModified())
            return;
        edit->setText(index.data(Qt::EditRole).toString());
        edit->selectAll();
        return;
    }
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    if (storeOf(index) == Store::OnChoice) {
        if (combo->property(ChosenProperty).toBool())
            return;
    } else {
        const QVariant initial = combo->property(InitialProperty);
        if (initial.isValid() && listState(combo) != initial.toString())
            return;
    }
    const int stored = intOf(index, GridCell::PositionRole, -1);
    combo->setCurrentIndex(stored >= 0 ? stored : intOf(index, GridCell::PresetRole, -1));
    if (combo->isEditable()) {
        combo->setEditText(index.data(Qt::EditRole).toString().trimmed());
        // Typing replaces the shown value rather than appending to it.
        combo->lineEdit()->selectAll();
    }
    combo->setProperty(InitialProperty, listState(combo));
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        if (!edit->isModified())
            return;
        edit->setModified(false);
        model->setData(index, edit->text(), Qt::EditRole);
        return;
    }
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    if (storeOf(index) == Store::OnChoice) {
        if (!combo->property(ChosenProperty).toBool())
            return;
        combo->setProperty(ChosenProperty, false);
    } else {
        const QString now = listState(combo);
        if (now == combo->property(InitialProperty).toString())
            return;
        combo->setProperty(InitialProperty, now);
    }
    if (combo->isEditable())
        model->setData(index, combo->currentText(), Qt::EditRole);
    else if (combo->currentIndex() >= 0)
        model->setData(index, combo->currentIndex(), Qt::EditRole);
}

void GridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        QWidget *overlay = (key == Qt::Key_Return || key == Qt::Key_Enter) ? overlayOf(object) : nullptr;
        if (overlay) {
            const QModelIndex index = indexOf(overlay);
            switch (Enter(index.data(GridCell::EnterRole).toInt())) {
            case Enter::Ignored:
                return true;
            case Enter::Commits:
                emit commitData(overlay);
                emit closeEditor(overlay, QAbstractItemDelegate::NoHint);
                emit enterPressed(index);
                return true;
            case Enter::Default:
                break;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
