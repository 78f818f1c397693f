#pragma once

// What the window tests share: one state to start every test function from, message
// records as "title|text", scaled timers, and small helpers to drive windows through
// their widgets. Tests of model code alone need none of it.

#include "image/bandlimits.h"
#include "image/document.h"
#include "support/documentaccess.h"
#include "platform/messagebox.h"
#include "platform/timer.h"
#include "shell/bulkwritesteps.h"
#include "shell/radiostatus.h"
#include "texts/language.h"
#include "texts/languagetable.h"

#include <QAbstractItemView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace TestSupport {

// What an editor's buttons say while its transfer runs, spelled as the windows spell them.
inline constexpr char BusyText[] = "Read-write operating with transceiver .";
inline constexpr char BusyClearText[] = "Read-write operating，don't clear operate .,";
inline constexpr char BusyCloseText[] = "Read-write operating，don't close the window. ,";
// Closing the window itself (its title bar, or the program) while it runs.
inline constexpr char BusyCloseFrameText[] = "Read-write operating，don't close the window.,";


// English, messages recorded, timers at full scale, the start-up band limits, and the
// shell's followers installed (identifications adopted, bulk-write steps in place), as
// the main window sets them up.
inline void resetState()
{
    Language::setChinese(false);
    LanguageTable::rebuild();
    MessageBox::startRecording();
    MessageBox::takeRecorded();
    Timer::setScale(1.0);
    BandLimits::current() = BandLimits::startup();
    BandLimits::reported() = BandLimits::startup();
    RadioStatus::instance().followLink();
    installBulkWriteSteps();
    // Steps of an earlier test would undo into bytes that set-up has since replaced.
    Document::instance().history().clear();
}

inline void endState()
{
    MessageBox::stopRecording();
    Language::setChinese(false);
    LanguageTable::rebuild();
    Timer::setScale(1.0);
}

// Pauses and sender ticks scaled for as long as this lives; the reply timeouts stay as
// they are. A happy path runs fast and waits on signals, and on a busy machine a reply
// that comes late is still a reply, not a timeout that sends the frame again. Only the
// pacing checks need the real intervals, and only failure paths scale the waits too.
class ScaledTimers
{
public:
    explicit ScaledTimers(double scale) { Timer::setScale(scale, 1.0); }
    ~ScaledTimers() { Timer::setScale(1.0); }
    ScaledTimers(const ScaledTimers &) = delete;
    ScaledTimers &operator=(const ScaledTimers &) = delete;
};
// Fast enough for a 200-block read in well under a second, slow enough that every frame
// still goes out in its own tick.
constexpr double FastTimers = 0.05;

// The messages shown so far as "title|text", forgotten once taken.
inline QStringList takeMessages()
{
    QStringList out;
    for (const MessageBox::Record &r : MessageBox::takeRecorded())
        out << r.title + QLatin1Char('|') + r.text;
    return out;
}

template <typename T = QWidget>
T *control(const QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("control %s missing", name);
    return w;
}

inline void press(const QWidget *window, const char *name)
{
    auto *button = control<QPushButton>(window, name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The visible cell editor of a grid with that object name, or null.
inline QWidget *visibleCellEditor(const QAbstractItemView *grid, const char *name)
{
    for (QWidget *w : grid->viewport()->findChildren<QWidget *>(QString::fromLatin1(name))) {
        if (w->isVisible())
            return w;
    }
    return nullptr;
}

// A window shown inside a multiple-document area, as the main window hosts it.
template <typename W>
struct Hosted
{
    QMdiArea area;
    QMdiSubWindow *frame = nullptr;
    W *window = nullptr;

    template <typename... Args>
    explicit Hosted(Args &&...args)
    {
        window = new W(std::forward<Args>(args)...);
        frame = area.addSubWindow(window);
        area.resize(1200, 800);
        area.show();
        frame->show();
    }
};

// A home folder of the test's own, so that file windows and links never touch the
// user's; the old one comes back afterwards.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_old(qgetenv("HOME"))
        , m_oldData(qgetenv("XDG_DATA_HOME"))
        , m_oldState(qgetenv("XDG_STATE_HOME"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_STATE_HOME");
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_old);
        if (m_oldData.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldData);
        if (m_oldState.isEmpty())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", m_oldState);
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    QByteArray m_oldData;
    QByteArray m_oldState;
};

} // namespace TestSupport
