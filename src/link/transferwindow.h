#pragma once

#include "link/exchangeengine.h"
#include "link/portopenerror.h"
#include "texts/language.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// What every window that talks to the radio shares: its own exchange engine, the language
// it opened in (its captions and status line keep it), a status line and a progress bar,
// the port message when the port does not open, and the one question the main window
// asks before it closes everything.
class TransferWindow : public QWidget
{
    Q_OBJECT
public:
    ExchangeEngine &engine() { return m_engine; }
    const ExchangeEngine &engine() const { return m_engine; }
    bool isChinese() const { return m_chinese; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *statusLine() const { return m_status; }

    // True while closing this window would cut off a transfer it does not let go of.
    // The main window's exit asks this of every child before it closes any of them.
    virtual bool refusesClose() const { return false; }
    // Whether this window's transfer is under way.
    bool isTransferring() const { return m_engine.isReading() || m_engine.isWriting(); }

protected:
    TransferWindow(const Pacing &pacing, PortOpener portMessage, QWidget *parent);

    void setStatus(const BiText &text);
    void setStatus(const QString &text);
    // Progress at 0 and shown, status "Connecting", once the port has opened.
    void showConnecting();
    void setProgress(int percent);

    ExchangeEngine m_engine;
    const bool m_chinese;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
};
