#include "shell/childhost.h"

#include "link/transferwindow.h"
#include "platform/filedrags.h"

#include <QMdiArea>
#include <QMdiSubWindow>

ChildHost::ChildHost(QMdiArea *area)
    : QObject(area)
    , m_area(area)
{
}

QMdiSubWindow *ChildHost::frame(const QString &objectName) const
{
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        // A closed child lingers until its deferred deletion; it no longer counts.
        if (sub->isHidden())
            continue;
        if (sub->widget() && sub->widget()->objectName() == objectName)
            return sub;
    }
    return nullptr;
}

QWidget *ChildHost::child(const QString &objectName) const
{
    QMdiSubWindow *sub = frame(objectName);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow *ChildHost::show(const QString &objectName, const std::function<QWidget *()> &make,
                               const Placement &place)
{
    if (QMdiSubWindow *open = frame(objectName)) {
        if (open->isMinimized())
            open->showNormal();
        m_area->setActiveSubWindow(open);
        open->raise();
        return open;
    }
    QWidget *widget = make();
    widget->setObjectName(objectName);
    // A file dropped on a child's text box opens as one dropped on the frame.
    FileDrags::passToWindow(widget);
    QMdiSubWindow *sub = m_area->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(widget->windowTitle());
    connect(widget, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    if (place)
        sub->setGeometry(place(m_area->viewport()->size()));
    sub->show();
    m_area->setActiveSubWindow(sub);
    return sub;
}

bool ChildHost::close(const QString &objectName)
{
    QMdiSubWindow *sub = frame(objectName);
    return !sub || sub->close();
}

QMdiSubWindow *ChildHost::reopen(const QString &objectName, const std::function<QWidget *()> &make,
                                 const Placement &place)
{
    return close(objectName) ? show(objectName, make, place) : nullptr;
}

bool ChildHost::transferRunning() const
{
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        if (auto *window = qobject_cast<TransferWindow *>(sub->widget())) {
            if (window->isTransferring())
                return true;
        }
    }
    return false;
}

bool ChildHost::closeAll()
{
    // A child that is talking to the radio refuses to close; the program then stays open
    // rather than cutting the transfer off, and the other children stay open with it.
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        auto *window = qobject_cast<TransferWindow *>(sub->widget());
        if (window && window->refusesClose()) {
            sub->close(); // the child says why it stays
            return false;
        }
    }
    m_area->closeAllSubWindows();
    return m_area->subWindowList().isEmpty();
}
