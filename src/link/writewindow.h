#pragma once

#include "image/memoryimage.h"
#include "link/bulktransferwindow.h"
#include "link/radioidentity.h"

// The bulk write (Form_Comm_Write): rows 0..783 of the image to the radio, one frame per
// acknowledge, after the channel band check and a fresh copy of the 5-tone tables.
class WriteWindow : public BulkTransferWindow
{
    Q_OBJECT
public:
    explicit WriteWindow(QWidget *parent = nullptr);

    bool isBusy() const { return m_engine.isWriting(); }

private:
    void actionClicked() override;
    void onProgress(int done, int total);
    void onFinished();
    void onFailed();

    // What this write sends, as it was when it began, and the radio that took it.
    MemoryImage m_sent;
    RadioIdentity m_identity;
};
