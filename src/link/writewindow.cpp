#include "link/writewindow.h"

#include "image/document.h"
#include "link/areatransfer.h"
#include "link/bulkwrite.h"
#include "link/confirmedmemory.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"

#include <QLabel>
#include <QProgressBar>

namespace {
constexpr BiText Caption{"Write Data to Radio", "写数据到对讲机"};
constexpr BiText WriteCaption{"Write", "写入"};
constexpr BiText Done{"Data Writed ！", "参数写入完毕 ！"};
constexpr BiText WritePrepareStep{"5-tone tables for the write", "写入前的五音表"};
} // namespace

WriteWindow::WriteWindow(QWidget *parent)
    : BulkTransferWindow({"Form_Comm_Write", Caption, "Command_write", WriteCaption}, Pacing::writeWindow(), parent)
{
    connect(&m_engine, &ExchangeEngine::progress, this, &WriteWindow::onProgress);
    connect(&m_engine, &ExchangeEngine::finished, this, &WriteWindow::onFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &WriteWindow::onFailed);
    connect(&m_engine, &ExchangeEngine::identified, this, [this](const RadioIdentity &identity) { m_identity = identity; });
}

void WriteWindow::actionClicked()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    Document &document = Document::instance();
    const QString refusal = BulkWrite::refusal(document.image(), Language::isChinese());
    if (!refusal.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), refusal);
        return;
    }
    // The 5-tone tables are rewritten as they go out, as a step of their own.
    document.applyToImage(WritePrepareStep, [](MemoryImage &image) {
        BulkWrite::prepare(image);
        return true;
    });
    m_identity = RadioIdentity{};
    m_sent = document.image();
    if (m_engine.startWrite(AreaTransfer::bulkWrite().frames(m_sent)))
        showConnecting();
}

void WriteWindow::onProgress(int done, int total)
{
    m_progress->setValue(done * 100 / total);
    setStatus(CommonText::writingBlock(done, m_chinese));
}

void WriteWindow::onFinished()
{
    // Every frame was acknowledged: the radio holds what went out.
    ConfirmedMemory::report(m_sent, Area::BulkWriteRows, m_identity, ConfirmedMemory::Kind::Written);
    m_progress->setValue(100);
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::WriteComplete.text());
    setStatus(Done);
}

void WriteWindow::onFailed()
{
    m_progress->setValue(0);
    m_progress->hide();
    m_status->clear();
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    setStatus(CommonText::CommunicationFault);
}
