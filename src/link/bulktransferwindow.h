#pragma once

#include "link/exchangeengine.h"
#include "texts/language.h"

#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// What the read and write windows share: a status line over a progress bar, the action
// button, Cancel (refused while the transfer runs) and Help (no action), their own engine,
// and a frame close box that is never refused but ends the transfer with the window.
class BulkTransferWindow : public QWidget
{
    Q_OBJECT
public:
    // Width main / 2.5, height main / 4, centred horizontally, top (main - own) / 1.45.
    static QRect placement(const QSize &mainWindow);

    ExchangeEngine &engine() { return m_engine; }

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
    // Progress at 0 and shown, status "Connecting", once the port has opened.
    void showConnecting();
    void setStatus(const BiText &text);
    void setStatus(const QString &text);

    ExchangeEngine m_engine;
    QPushButton *m_action = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    // The language the window opened in; its captions and status line keep it.
    bool m_chinese = false;

private:
    void cancelClicked();
};
