#include "link/readwindow.h"

#include "image/dataorigin.h"
#include "image/document.h"
#include "link/areatransfer.h"
#include "link/bulkread.h"
#include "link/confirmedmemory.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"

#include <QProgressBar>
#include <cmath>

namespace {
constexpr BiText Caption{"Read Data From Radio", "从对讲机读取数据"};
constexpr BiText ReadCaption{"Read", "读取"};
constexpr BiText ReadOk{"Read Data is Ok ！", "数据读出正常 ！"};
// The progress bar counts in 201ths, so it never quite reaches 100 % during the read.
constexpr int ProgressDivisor = 201;
} // namespace

ReadWindow::ReadWindow(QWidget *parent)
    : BulkTransferWindow({"Form_Comm_Read", Caption, "Command_read", ReadCaption}, Pacing::transferWindow(), parent)
{
    connect(&m_engine, &ExchangeEngine::identified, this, [this](const RadioIdentity &identity) {
        m_state = State::Transferring;
        m_radioNumber = identity.number;
        m_identity = identity;
    });
    connect(&m_engine, &ExchangeEngine::progress, this, &ReadWindow::blockArrived);
    connect(&m_engine, &ExchangeEngine::finished, this, &ReadWindow::allBlocksIn);
    connect(&m_engine, &ExchangeEngine::attemptFailed, this, [this] { m_state = State::Connecting; });
    connect(&m_engine, &ExchangeEngine::failed, this, &ReadWindow::fail);
}

void ReadWindow::actionClicked()
{
    if (m_engine.isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    if (!m_engine.startRead(AreaTransfer::bulkRead().readAddresses()))
        return;
    m_state = State::Connecting;
    showConnecting();
}

void ReadWindow::blockArrived(int block, int total)
{
    Q_UNUSED(total);
    m_state = State::Transferring;
    m_progress->setValue(int(std::floor(double(block) / ProgressDivisor * 100)));
    setStatus(CommonText::readingBlock(block, m_chinese));
}

void ReadWindow::allBlocksIn()
{
    // A reply whose data would run past what arrived spoils the whole read, as a lost
    // connection does; nothing of it reaches the image.
    const bool stored = Document::instance().apply(CommonText::ReadStep, [this](Document::Contents &contents) {
        if (!BulkRead::decodeInto(m_engine.receiveSlots(), contents.image))
            return false;
        DataOrigin::set(contents, m_radioNumber);
        return true;
    });
    if (!stored) {
        fail();
        return;
    }
    m_state = State::Finished;
    MemoryImage held;
    if (BulkRead::decodeInto(m_engine.receiveSlots(), held))
        ConfirmedMemory::report(held, Area::BulkReadRows, m_identity, ConfirmedMemory::Kind::Read);
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::ReadComplete.text());
    setStatus(ReadOk);
}

void ReadWindow::fail()
{
    m_state = State::Failed;
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    m_progress->setValue(0);
    setStatus(CommonText::CommunicationFault);
}
