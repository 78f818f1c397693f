#pragma once

#include "link/exchangeengine.h"

#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// Form_Comm_Read: copies the radio's memory into the image. The replies are kept aside
// until the last block is in, so the image changes only when the whole read succeeded.
class ReadWindow : public QWidget
{
    Q_OBJECT
public:
    enum class State { Idle, Connecting, Transferring, Finished, Failed };

    explicit ReadWindow(QWidget *parent = nullptr);

    // Width main / 2.5, height main / 4, centred horizontally, top (main - own) / 1.45.
    static QRect placement(const QSize &mainWindow);

    State state() const { return m_state; }
    ExchangeEngine &engine() { return m_engine; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void readClicked();
    void cancelClicked();
    void blockArrived(int block, int total);
    void allBlocksIn();
    void fail();

    ExchangeEngine m_engine;
    QPushButton *m_read;
    QPushButton *m_cancel;
    QPushButton *m_help;
    QProgressBar *m_progress;
    QLabel *m_status;
    State m_state = State::Idle;
};
