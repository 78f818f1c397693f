#include "link/writewindow.h"

#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/portopenerror.h"
#include "platform/messagebox.h"
#include "shell/commontexts.h"
#include "signalling/fivetonestandards.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr BiText Caption{"Write Data to Radio", "写数据到对讲机"};
constexpr BiText WriteButton{"Write", "写入"};
constexpr BiText CancelButton{"Cancel", "取消"};
constexpr BiText HelpButton{"Help", "帮助"};
constexpr BiText Done{"Data Writed ！", "参数写入完毕 ！"};

} // namespace

WriteWindow::WriteWindow(QWidget *parent)
    : QWidget(parent)
    , m_engine(PortOpener::TransferWindow, Pacing::writeWindow())
{
    m_chinese = Language::isChinese();
    setObjectName(QStringLiteral("Form_Comm_Write"));
    setWindowTitle(Caption.text(m_chinese));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_tr_count"));
    m_status->setAlignment(Qt::AlignCenter);

    m_write = new QPushButton(WriteButton.text(m_chinese), this);
    m_write->setObjectName(QStringLiteral("Command_write"));
    m_cancel = new QPushButton(CancelButton.text(m_chinese), this);
    m_cancel->setObjectName(QStringLiteral("Command_Cancel"));
    m_help = new QPushButton(HelpButton.text(m_chinese), this);
    m_help->setObjectName(QStringLiteral("Command_Help"));
    connect(m_write, &QPushButton::clicked, this, &WriteWindow::write);
    connect(m_cancel, &QPushButton::clicked, this, &WriteWindow::cancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {m_write, m_cancel, m_help})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(&m_engine, &ExchangeEngine::progress, this, &WriteWindow::onProgress);
    connect(&m_engine, &ExchangeEngine::finished, this, &WriteWindow::onFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &WriteWindow::onFailed);
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this, &WriteWindow::onPortOpenFailed);
}

WriteWindow::~WriteWindow()
{
    m_engine.stop();
}

QRect WriteWindow::placement(const QSize &mainWindow, const QSize &clientArea)
{
    const QSize size(int(mainWindow.width() / 2.5), int(mainWindow.height() / 4));
    const int top = int((mainWindow.height() - size.height()) / 1.45);
    const QSize fitted = size.boundedTo(clientArea);
    return QRect(QPoint(std::max(0, (clientArea.width() - fitted.width()) / 2),
                        std::max(0, std::min(top, clientArea.height() - fitted.height()))),
                 fitted);
}

void WriteWindow::write()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    MemoryImage &image = MemoryImage::instance();
    const int failing = channelBandCheck(image);
    if (failing != ChannelRecord::NoFailingChannel) {
        MessageBox::show(this, CommonText::PromptTitle.text(),
                         ChannelText::bandCheckFailed(failing, Language::isChinese()));
        return;
    }
    FiveToneStandards::writeTables(image);
    const auto frames = ExchangeEngine::framesFromImage(image, Area::BulkWriteRows.firstAddress(), Area::BulkWriteFrames);
    if (m_engine.startWrite(frames)) {
        m_progress->setValue(0);
        m_progress->setVisible(true);
        m_status->setText(CommonText::Connecting.text(m_chinese));
    }
}

void WriteWindow::cancel()
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyClose.text());
        return;
    }
    m_engine.stop();
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void WriteWindow::closeEvent(QCloseEvent *event)
{
    // The frame's close box is never refused: the transfer ends with the window.
    m_engine.stop();
    event->accept();
}

void WriteWindow::onProgress(int done, int total)
{
    m_progress->setValue(done * 100 / total);
    m_status->setText(CommonText::writingBlock(done, m_chinese));
}

void WriteWindow::onFinished()
{
    m_progress->setValue(100);
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::WriteComplete.text());
    m_status->setText(Done.text(m_chinese));
}

void WriteWindow::onFailed()
{
    m_progress->setValue(0);
    m_progress->setVisible(false);
    m_status->clear();
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    m_status->setText(CommonText::CommunicationFault.text(m_chinese));
}

void WriteWindow::onPortOpenFailed()
{
    showPortOpenError(this, PortOpener::TransferWindow);
}
