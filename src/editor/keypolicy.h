#pragma once

#include "editor/keyrule.h"

#include <QString>
#include <QValidator>

class QComboBox;
class QKeyEvent;
class QLineEdit;

// What a box takes from the keyboard, one rule per kind of box. A rule judges each typed
// character against the text that stays around it (the box's text less what the key
// replaces). Removing and moving always pass, so a box stays clearable; a paste goes in
// as it is, for the box's own rules to judge; a text the program shows is never judged,
// so a value a radio or a file brought is shown whole. A refused key leaves the box as
// it was.
class KeyPolicy : public QValidator
{
    Q_OBJECT
public:
    using Rule = KeyRule;

    // `rule` on `edit`, owned by it.
    static KeyPolicy *install(QLineEdit *edit, const Rule &rule);

    // Whether `typed` goes in after `kept`.
    bool accepts(const QString &kept, QChar typed) const;
    State validate(QString &input, int &position) const override;

    // A key that would put a character somewhere, as opposed to moving, editing, leaving
    // or a shortcut.
    static bool typesCharacter(const QKeyEvent *key);
    // Lists are chosen from, never typed into: a typed character is dropped, in the list
    // and in its open popup, instead of jumping to the entry it starts.
    static void selectOnly(QComboBox *combo);

private:
    KeyPolicy(const Rule &rule, QLineEdit *edit);

    Rule m_rule;
    QLineEdit *m_edit;
    // The box's text before the change being judged.
    QString m_before;
};
