#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message the program shows goes through here: a modal box in the program,
// a record in tests so that they can assert on the exact title and text.
namespace MessageBox {

enum class Icon { Warning, Information, Question };

struct Record
{
    QString title;
    QString text;
    Icon icon;
};

void show(QWidget *parent, const QString &title, const QString &text, Icon icon = Icon::Warning);

// A question with Yes and No (No is the default); true for Yes. While recording it is
// kept as a record with the Question icon and answered with setRecordedAnswer()'s answer.
bool ask(QWidget *parent, const QString &title, const QString &text);
void setRecordedAnswer(bool yes);

// While recording, show() returns at once and keeps what it was asked to show.
void startRecording();
void stopRecording();
bool isRecording();
QList<Record> recorded();
// Returns the records so far and forgets them.
QList<Record> takeRecorded();
// The same, texts only.
QStringList takeRecordedTexts();

} // namespace MessageBox
