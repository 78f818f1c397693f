#pragma once

#include "link/radioidentity.h"

#include "link/bulktransferwindow.h"

// Form_Comm_Read: copies the radio's memory into the image. The replies are kept aside
// until the last block is in, so the image changes only when the whole read succeeded.
class ReadWindow : public BulkTransferWindow
{
    Q_OBJECT
public:
    enum class State { Idle, Connecting, Transferring, Finished, Failed };

    explicit ReadWindow(QWidget *parent = nullptr);

    State state() const { return m_state; }

private:
    void actionClicked() override;
    void blockArrived(int block, int total);
    void allBlocksIn();
    void fail();

    State m_state = State::Idle;
    // Who answered, kept as the data's origin once the read has been stored.
    QString m_radioNumber;
    RadioIdentity m_identity;
};
