#include "signalling/signallingkeys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool typesCharacter(const QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

class TypingDropper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && typesCharacter(static_cast<QKeyEvent *>(event));
    }
};

} // namespace

CharacterFilter::CharacterFilter(QString allowed, int maxLength, QObject *parent)
    : QObject(parent)
    , m_allowed(std::move(allowed))
    , m_maxLength(maxLength)
{
}

CharacterFilter *CharacterFilter::install(QLineEdit *edit, const QString &allowed, int maxLength)
{
    auto *filter = new CharacterFilter(allowed, maxLength, edit);
    edit->installEventFilter(filter);
    return filter;
}

bool CharacterFilter::accepts(const QString &currentText, const QString &typed) const
{
    if (typed.size() != 1 || !m_allowed.contains(typed.at(0)))
        return false;
    return currentText.trimmed().size() < m_maxLength;
}

bool CharacterFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!typesCharacter(key))
        return false;
    auto *edit = qobject_cast<QLineEdit *>(watched);
    QString current = edit ? edit->text() : QString();
    // A selection is replaced by the key, so it does not count against the limit.
    if (edit && edit->hasSelectedText())
        current.remove(edit->selectionStart(), edit->selectedText().size());
    return !accepts(current, key->text());
}

void makeSelectOnly(QComboBox *combo)
{
    combo->setEditable(false);
    combo->installEventFilter(new TypingDropper(combo));
}
