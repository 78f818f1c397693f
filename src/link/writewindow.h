#pragma once

#include "link/exchangeengine.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The bulk write (Form_Comm_Write): rows 0..783 of the image to the radio, one frame per
// acknowledge, after the channel band check and a fresh copy of the 5-tone tables.
class WriteWindow : public QWidget
{
    Q_OBJECT
public:
    explicit WriteWindow(QWidget *parent = nullptr);
    ~WriteWindow() override;

    // Width a 2.5th and height a quarter of the main window, centred horizontally.
    static QRect placement(const QSize &mainWindow, const QSize &clientArea);

    ExchangeEngine &engine() { return m_engine; }
    bool isBusy() const { return m_engine.isWriting(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void write();
    void cancel();
    void onProgress(int done, int total);
    void onFinished();
    void onFailed();
    void onPortOpenFailed();

    QPushButton *m_write = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    ExchangeEngine m_engine;
    bool m_chinese = false;
};
