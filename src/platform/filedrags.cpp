#include "platform/filedrags.h"

#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QObject>

namespace FileDrags {

namespace {

class PassOn : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Ignored, a drag enter goes on to the parents; the box then never becomes the
        // drop's target.
        if (event->type() == QEvent::DragEnter && static_cast<QDragEnterEvent *>(event)->mimeData()->hasUrls()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void passToWindow(QWidget *window)
{
    // One filter a window, found again by its name when boxes have come since.
    const QString name = QStringLiteral("FileDrags::PassOn");
    QObject *filter = window->findChild<QObject *>(name, Qt::FindDirectChildrenOnly);
    if (!filter) {
        filter = new PassOn(window);
        filter->setObjectName(name);
    }
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        box->removeEventFilter(filter);
        box->installEventFilter(filter);
    }
}

} // namespace FileDrags
