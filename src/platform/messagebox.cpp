#include "platform/messagebox.h"

#include <QMessageBox>

namespace {
bool g_recording = false;
bool g_answer = false;
QList<MessageBox::Record> g_records;
} // namespace

namespace MessageBox {

void show(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    if (g_recording) {
        g_records.append({title, text, icon});
        return;
    }
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool ask(QWidget *parent, const QString &title, const QString &text)
{
    if (g_recording) {
        g_records.append({title, text, Icon::Question});
        return g_answer;
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setRecordedAnswer(bool yes)
{
    g_answer = yes;
}

void startRecording()
{
    g_recording = true;
    g_records.clear();
}

void stopRecording()
{
    g_recording = false;
    g_records.clear();
}

bool isRecording()
{
    return g_recording;
}

QList<Record> recorded()
{
    return g_records;
}

QList<Record> takeRecorded()
{
    QList<Record> r;
    r.swap(g_records);
    return r;
}

QStringList takeRecordedTexts()
{
    QStringList texts;
    for (const Record &r : takeRecorded())
        texts << r.text;
    return texts;
}

} // namespace MessageBox
