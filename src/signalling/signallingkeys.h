#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

// Key rules of the signalling windows' boxes, as event filters so one rule serves every
// box that needs it.

// A typed character reaches the box only if `allowed` holds it and the box's trimmed
// text is shorter than `maxLength`; Enter, editing and moving keys always pass (a
// box must stay clearable).
class CharacterFilter : public QObject
{
    Q_OBJECT
public:
    CharacterFilter(QString allowed, int maxLength, QObject *parent);
    // The same rule, installed on `edit`, owned by it.
    static CharacterFilter *install(QLineEdit *edit, const QString &allowed, int maxLength);

    bool accepts(const QString &currentText, const QString &typed) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_allowed;
    int m_maxLength;
};

// Lists are chosen from, never typed into: a typed character is dropped instead of
// jumping to the entry it starts.
void makeSelectOnly(QComboBox *combo);
