#pragma once

#include "link/transferwindow.h"

#include <QRect>
#include <QSize>

class QPushButton;

// What the read and write windows share: a status line over a progress bar, the action
// button, Cancel (refused while the transfer runs) and Help (no action), their own engine,
// and a frame close box that is never refused but ends the transfer with the window.
class BulkTransferWindow : public TransferWindow
{
    Q_OBJECT
public:
    // Width main / 2.5, height main / 4, centred horizontally, top (main - own) / 1.45.
    static QRect placement(const QSize &mainWindow);

protected:
    struct Texts
    {
        const char *objectName;
        BiText caption;
        const char *actionName;
        BiText action;
    };

    BulkTransferWindow(const Texts &texts, const Pacing &pacing, QWidget *parent);

    void closeEvent(QCloseEvent *event) override;

    virtual void actionClicked() = 0;

    QPushButton *m_action = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;

private:
    void cancelClicked();
};
