#include "link/bulktransferwindow.h"

#include "platform/messagebox.h"
#include "texts/commontexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr BiText CancelCaption{"Cancel", "取消"};
constexpr BiText HelpCaption{"Help", "帮助"};
} // namespace

BulkTransferWindow::BulkTransferWindow(const Texts &texts, const Pacing &pacing, QWidget *parent)
    : TransferWindow(pacing, PortOpener::TransferWindow, parent)
{
    setObjectName(QString::fromLatin1(texts.objectName));
    setWindowTitle(texts.caption.text(m_chinese));

    m_status->setAlignment(Qt::AlignCenter);
    m_action = new QPushButton(texts.action.text(m_chinese), this);
    m_action->setObjectName(QString::fromLatin1(texts.actionName));
    m_cancel = new QPushButton(CancelCaption.text(m_chinese), this);
    m_cancel->setObjectName(QStringLiteral("Command_Cancel"));
    m_help = new QPushButton(HelpCaption.text(m_chinese), this);
    m_help->setObjectName(QStringLiteral("Command_Help"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_action);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_action, &QPushButton::clicked, this, [this] { actionClicked(); });
    connect(m_cancel, &QPushButton::clicked, this, &BulkTransferWindow::cancelClicked);
}

QRect BulkTransferWindow::placement(const QSize &mainWindow)
{
    const int width = int(mainWindow.width() / 2.5);
    const int height = mainWindow.height() / 4;
    const int left = (mainWindow.width() - width) / 2;
    const int top = int((mainWindow.height() - height) / 1.45);
    return QRect(left, top, width, height);
}

void BulkTransferWindow::cancelClicked()
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

void BulkTransferWindow::closeEvent(QCloseEvent *event)
{
    // The frame's close box is never refused: the transfer ends with the window and the
    // port is free at once for whoever needs it next.
    m_engine.stop();
    event->accept();
}
