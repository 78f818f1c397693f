#include "editor/keypolicy.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class TypingDropper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && KeyPolicy::typesCharacter(static_cast<QKeyEvent *>(event));
    }
};

} // namespace

KeyPolicy::KeyPolicy(const Rule &rule, QLineEdit *edit)
    : QValidator(edit)
    , m_rule(rule)
    , m_edit(edit)
    , m_before(edit->text())
{
    // The box's own text, not the signal's: a handler of the edit may have changed it since.
    connect(edit, &QLineEdit::textChanged, this, [this] { m_before = m_edit->text(); });
}

KeyPolicy *KeyPolicy::install(QLineEdit *edit, const Rule &rule)
{
    auto *policy = new KeyPolicy(rule, edit);
    edit->setValidator(policy);
    return policy;
}

bool KeyPolicy::accepts(const QString &kept, QChar typed) const
{
    if (m_rule.allowed.isEmpty() ? !typed.isPrint() : !m_rule.allowed.contains(typed))
        return false;
    if (m_rule.notFirst.contains(typed) && kept.isEmpty())
        return false;
    if (m_rule.once.contains(typed) && kept.contains(typed))
        return false;
    if (m_rule.maxLength > 0 && !m_rule.unlimited.contains(typed)) {
        const int length = int(m_rule.trimmed ? kept.trimmed().size() : kept.size());
        if (length >= m_rule.maxLength)
            return false;
    }
    return true;
}

QValidator::State KeyPolicy::validate(QString &input, int &position) const
{
    // The box runs its validator on every text change, the program's own too; only the
    // user's changes leave the box modified.
    if (!m_edit->isModified())
        return Acceptable;
    const QString &before = m_before;
    int prefix = 0;
    const int shorter = int(std::min(before.size(), input.size()));
    while (prefix < shorter && before.at(prefix) == input.at(prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix && before.at(before.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
        ++suffix;
    QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    if (inserted.isEmpty())
        return Acceptable;
    if (m_rule.upperCase)
        inserted = inserted.toUpper();
    // A key puts in one character. More at once is a paste (or an input method's
    // commit): it goes in as it is, and the box's own rules take it from there (a
    // character without a code is dropped at the next showing, a frequency that has
    // grown too long is refused with its message, a codec keeps what fits).
    if (inserted.size() == 1 && !accepts(before.left(prefix) + before.right(suffix), inserted.at(0)))
        return Invalid;
    if (m_rule.upperCase) {
        input.replace(prefix, inserted.size(), inserted);
        position = std::min(position, int(input.size()));
    }
    return Acceptable;
}

bool KeyPolicy::typesCharacter(const QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

void KeyPolicy::selectOnly(QComboBox *combo)
{
    combo->setEditable(false);
    auto *dropper = new TypingDropper(combo);
    combo->installEventFilter(dropper);
    combo->view()->installEventFilter(dropper);
}
