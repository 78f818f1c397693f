#include "link/transferwindow.h"

#include "texts/commontexts.h"

#include <QLabel>
#include <QProgressBar>

namespace {
constexpr BiText ProgressName{"Progress", "进度"};
constexpr BiText StatusName{"Status", "状态"};
} // namespace

TransferWindow::TransferWindow(const Pacing &pacing, PortOpener portMessage, QWidget *parent)
    : QWidget(parent)
    , m_engine(pacing, this)
    , m_chinese(Language::isChinese())
{
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_tr_count"));
    // No fixed name: a screen reader then reads the line's current text, and learns what
    // the line is from its description.
    m_status->setAccessibleDescription(StatusName.text(m_chinese));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setAccessibleName(ProgressName.text(m_chinese));
    m_progress->hide();
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this,
            [this, portMessage] { showPortOpenError(this, portMessage); });
}

void TransferWindow::setStatus(const BiText &text)
{
    m_status->setText(text.text(m_chinese));
}

void TransferWindow::setStatus(const QString &text)
{
    m_status->setText(text);
}

void TransferWindow::showConnecting()
{
    m_progress->setValue(0);
    m_progress->show();
    setStatus(CommonText::Connecting);
}

void TransferWindow::setProgress(int percent)
{
    m_progress->setValue(percent);
}
