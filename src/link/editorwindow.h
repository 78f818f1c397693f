#pragma once

#include "link/areatransfer.h"
#include "link/transferwindow.h"
#include "texts/commontexts.h"

#include <QMap>
#include <QRect>
#include <QSize>
#include <QVector>

class QHBoxLayout;
class QLabel;
class QPushButton;

// The frame every editor window stands on. It owns what all of them do alike: the button
// row and its busy refusals, the area's own transfer through the exchange engine with its
// status line, progress and messages, the close refusal both ways, the refresh when the
// window comes back to the front, placement, and the file windows (asked for by signal).
// An editor supplies its layout, its transfer, its own rules and its texts.
class EditorWindow : public TransferWindow
{
    Q_OBJECT
public:
    enum class Action { Read, Write, Clear, Default, Save, Open, Close };
    // Which file windows Open and Save ask for.
    enum class FileKind { Data, Adjust };

    struct Button
    {
        Action action;
        const char *objectName;
        BiText caption;
        // Shown instead of acting while a transfer runs; null lets the action through.
        const BiText *busyText;
    };

    struct Texts
    {
        BiText readDone;  // status line after a read
        BiText writeDone; // status line after a write
        BiText readComplete = CommonText::ReadComplete;
        BiText writeComplete = CommonText::WriteComplete;
        BiText completeTitle = CommonText::PromptTitle;
        BiText fault = CommonText::CommunicationFault; // status line after the last attempt
    };

    struct Setup
    {
        const char *objectName;
        BiText caption;
        Pacing pacing = Pacing::transferWindow();
        PortOpener portMessage = PortOpener::TransferWindow;
        Texts texts;
        // Size as the main window's size divided by these, centred in its client area.
        double widthDivisor = 1.0;
        double heightDivisor = 1.0;
        // Editors whose area another window may change meanwhile show it again each time
        // they become the active window.
        bool refreshOnActivation = true;
        FileKind files = FileKind::Data;
    };

    bool isBusy() const { return m_engine.isReading() || m_engine.isWriting(); }
    bool refusesClose() const override { return isBusy(); }

    QPushButton *button(Action action) const { return m_buttons.value(action); }
    // Main window size / divisors, no larger than the client area, centred in it.
    static QRect placement(const QSize &mainWindow, const QSize &clientArea, double widthDivisor,
                           double heightDivisor);
    QRect placement(const QSize &mainWindow, const QSize &clientArea) const;

    // Shows the whole area again from the image (or the window's own array). Showing
    // never stores anything.
    virtual void redisplay() = 0;

signals:
    void fileWindowRequested(EditorWindow::FileKind kind, bool save);
    // The editor closes; the file windows opened for it close with it.
    void closingFileWindows();

protected:
    EditorWindow(const Setup &setup, QWidget *parent);

    // The buttons in the given order, after the progress bar and the status line when
    // `withProgress`; the editor puts the row where its layout wants it.
    QHBoxLayout *makeButtonRow(const QVector<Button> &buttons, bool withProgress = true);
    // A caption for a control that has none of its own; the control is named after it for
    // screen readers and UI automation.
    QLabel *makeLabel(const BiText &text, QWidget *control);

    virtual AreaTransfer transfer() const = 0;
    // Transfers that store outside the image read into and write from this array.
    virtual QByteArray *transferArray() { return nullptr; }
    // A non-empty text refuses the write with that message.
    virtual QString writeRefusal() const { return QString(); }
    virtual void clearArea() {}
    virtual void loadDefaults() {}
    // After the replies of a read were stored.
    virtual void afterRead() { redisplay(); }
    // Status line and progress while the transfer runs; `done` blocks or frames so far,
    // 0 right after the identification. By default: the block being transferred.
    virtual void showTransferProgress(int done, int total);
    // After the last attempt failed and the failure was shown.
    virtual void afterFinalFailure() {}

    // Refuses with `text` when busy; true when it did.
    bool refuseWhenBusy(const BiText *text);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void trigger(const Button &button);
    void startRead();
    void startWrite();
    void closeWindow();
    void transferFinished();
    void transferFailed();

    Setup m_setup;
    QMap<Action, QPushButton *> m_buttons;
    // What the running transfer covers, kept from its start to its end.
    AreaTransfer m_running;
    bool m_watchingActivation = false;
};
