#include "link/writewindow.h"

#include "image/memoryimage.h"
#include "link/areatransfer.h"
#include "link/bulkwrite.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"

#include <QLabel>
#include <QProgressBar>

namespace {
constexpr BiText Caption{"Write Data to Radio", "写数据到对讲机"};
constexpr BiText WriteCaption{"Write", "写入"};
constexpr BiText Done{"Data Writed ！", "参数写入完毕 ！"};
} // namespace

WriteWindow::WriteWindow(QWidget *parent)
    : BulkTransferWindow({"Form_Comm_Write", Caption, "Command_write", WriteCaption}, Pacing::writeWindow(), parent)
{
    connect(&m_engine, &ExchangeEngine::progress, this, &WriteWindow::onProgress);
    connect(&m_engine, &ExchangeEngine::finished, this, &WriteWindow::onFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &WriteWindow::onFailed);
}

void WriteWindow::actionClicked()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    MemoryImage &image = MemoryImage::instance();
    const QString refusal = BulkWrite::refusal(image, Language::isChinese());
    if (!refusal.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), refusal);
        return;
    }
    BulkWrite::prepare(image);
    if (m_engine.startWrite(AreaTransfer::bulkWrite().frames(image)))
        showConnecting();
}

void WriteWindow::onProgress(int done, int total)
{
    m_progress->setValue(done * 100 / total);
    setStatus(CommonText::writingBlock(done, m_chinese));
}

void WriteWindow::onFinished()
{
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
