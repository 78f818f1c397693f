#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The main window's child windows: each exists at most once, by object name, in the
// client area. Whether a transfer runs in one of them, and closing them all, are asked
// here too.
class ChildHost : public QObject
{
    Q_OBJECT
public:
    explicit ChildHost(QMdiArea *area);

    // Given the client area's size.
    using Placement = std::function<QRect(const QSize &clientArea)>;
    // Brings the open one up, or creates it with make(), names it, hosts it and places it.
    QMdiSubWindow *show(const QString &objectName, const std::function<QWidget *()> &make,
                        const Placement &place = Placement());
    QMdiSubWindow *frame(const QString &objectName) const;
    QWidget *child(const QString &objectName) const;
    // False when the child refused to close (a transfer is running).
    bool close(const QString &objectName);
    // Closed first, then opened afresh; nothing when the open one refused to close.
    QMdiSubWindow *reopen(const QString &objectName, const std::function<QWidget *()> &make,
                          const Placement &place = Placement());

    bool transferRunning() const;
    // The program's exit: nothing closes while a child talking to the radio refuses (it
    // says why); false when any child stays open.
    bool closeAll();

private:
    QMdiArea *m_area;
};
