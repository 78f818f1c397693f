#include "link/readwindow.h"

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkread.h"
#include "link/portopenerror.h"
#include "platform/messagebox.h"
#include "shell/commontexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr BiText Caption{"Read Data From Radio", "从对讲机读取数据"};
constexpr BiText ReadCaption{"Read", "读取"};
constexpr BiText CancelCaption{"Cancel", "取消"};
constexpr BiText HelpCaption{"Help", "帮助"};
constexpr BiText ProgressName{"Progress", "进度"};
constexpr BiText ReadOk{"Read Data is Ok ！", "数据读出正常 ！"};
// The progress bar counts in 201ths, so it never quite reaches 100 % during the read.
constexpr int ProgressDivisor = 201;
} // namespace

ReadWindow::ReadWindow(QWidget *parent)
    : QWidget(parent)
    , m_engine(PortOpener::TransferWindow, Pacing::transferWindow(), this)
{
    // The window keeps the language it was opened in; messages follow the flag when shown.
    const bool chinese = Language::isChinese();
    setObjectName(QStringLiteral("Form_Comm_Read"));
    setWindowTitle(Caption.text(chinese));

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_tr_count"));
    m_status->setAlignment(Qt::AlignCenter);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setAccessibleName(ProgressName.text(chinese));
    m_progress->hide();
    m_read = new QPushButton(ReadCaption.text(chinese), this);
    m_read->setObjectName(QStringLiteral("Command_read"));
    m_cancel = new QPushButton(CancelCaption.text(chinese), this);
    m_cancel->setObjectName(QStringLiteral("Command_Cancel"));
    m_help = new QPushButton(HelpCaption.text(chinese), this);
    m_help->setObjectName(QStringLiteral("Command_Help"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_read);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_read, &QPushButton::clicked, this, &ReadWindow::readClicked);
    connect(m_cancel, &QPushButton::clicked, this, &ReadWindow::cancelClicked);
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this,
            [this] { showPortOpenError(this, PortOpener::TransferWindow); });
    connect(&m_engine, &ExchangeEngine::identified, this, [this] { m_state = State::Transferring; });
    connect(&m_engine, &ExchangeEngine::progress, this, &ReadWindow::blockArrived);
    connect(&m_engine, &ExchangeEngine::finished, this, &ReadWindow::allBlocksIn);
    connect(&m_engine, &ExchangeEngine::attemptFailed, this, [this] { m_state = State::Connecting; });
    connect(&m_engine, &ExchangeEngine::failed, this, &ReadWindow::fail);
}

QRect ReadWindow::placement(const QSize &mainWindow)
{
    const int width = int(mainWindow.width() / 2.5);
    const int height = mainWindow.height() / 4;
    const int left = (mainWindow.width() - width) / 2;
    const int top = int((mainWindow.height() - height) / 1.45);
    return QRect(left, top, width, height);
}

void ReadWindow::readClicked()
{
    if (m_engine.isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    if (!m_engine.startRead(ExchangeEngine::blockAddresses(Area::BulkReadRows.firstAddress(), Area::BulkReadBlocks)))
        return;
    m_state = State::Connecting;
    m_progress->setValue(0);
    m_progress->show();
    m_status->setText(CommonText::Connecting.text());
}

void ReadWindow::cancelClicked()
{
    if (m_engine.isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyClose.text());
        return;
    }
    m_engine.stop();
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void ReadWindow::closeEvent(QCloseEvent *event)
{
    // The frame's close box is never refused: the transfer ends with the window and the
    // port is free at once for whoever needs it next.
    m_engine.stop();
    event->accept();
}

void ReadWindow::blockArrived(int block, int total)
{
    Q_UNUSED(total);
    m_state = State::Transferring;
    m_progress->setValue(int(std::floor(double(block) / ProgressDivisor * 100)));
    m_status->setText(CommonText::readingBlock(block));
}

void ReadWindow::allBlocksIn()
{
    // A reply whose data would run past what arrived spoils the whole read, as a lost
    // connection does; nothing of it reaches the image.
    if (!BulkRead::decodeInto(m_engine.receiveSlots(), MemoryImage::instance())) {
        fail();
        return;
    }
    m_state = State::Finished;
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::ReadComplete.text());
    m_status->setText(ReadOk.text());
}

void ReadWindow::fail()
{
    m_state = State::Failed;
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    m_progress->setValue(0);
    m_status->setText(CommonText::CommunicationFault.text());
}
