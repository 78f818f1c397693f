#pragma once

#include "link/exchangeengine.h"
#include "texts/language.h"

#include <QWidget>

class ChannelGridModel;
class ChannelListDelegate;
class ChannelTextDelegate;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QVBoxLayout;

// The channel editor (frm_chann): the 200 channels as a grid, edited in place, plus the
// window's own read and write of the channel and name areas.
class ChannelEditor : public QWidget
{
    Q_OBJECT
    // The frame asks this before closing everything: a busy editor refuses.
    Q_PROPERTY(bool busy READ isBusy)
public:
    explicit ChannelEditor(QWidget *parent = nullptr);
    ~ChannelEditor() override;

    // Placement inside the main window's client area.
    static QRect placement(const QSize &mainWindow, const QSize &clientArea);

    ChannelGridModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }
    ExchangeEngine &engine() { return m_engine; }
    bool isBusy() const;

    // Shows every channel again from the image (on opening and on every activation).
    void redisplay();

signals:
    // Open and Save: the frame opens the data file window of that kind.
    void dataFileWindowRequested(bool save);
    // The editor closes; file windows opened for it go with it.
    void closingFileWindows();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void readChannels();
    void writeChannels();
    void clearChannels();
    void loadDefaults();
    void openFile();
    void saveFile();
    void closeWindow();
    void moveAfterEnter(const QModelIndex &from);
    void showRefusal(const BiText &title, const BiText &text);
    bool refuseWhenBusy(const BiText &text);

    void onIdentified();
    void onProgress(int done, int total);
    void onFinished();
    void onFailed();
    void onPortOpenFailed();
    void setStatus(const QString &text);

    ChannelGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    ChannelTextDelegate *m_textDelegate = nullptr;
    ChannelListDelegate *m_listDelegate = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_default = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_close = nullptr;
    ExchangeEngine m_engine;
    bool m_chinese = false;
    bool m_watchingActivation = false;
};
