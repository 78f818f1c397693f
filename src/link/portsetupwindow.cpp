#include "link/portsetupwindow.h"

#include "link/identificationexchange.h"
#include "link/portreport.h"
#include "platform/portnames.h"
#include "platform/portstate.h"
#include "platform/screen.h"
#include "link/linknotices.h"
#include "texts/language.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr BiText Caption{"Communication Port Setup", "通讯端口设置"};
constexpr BiText FrameCaption{"Port Setup", "端口设置"};
constexpr BiText ConfirmCaption{"Confirm", "确 定"};
constexpr BiText CancelCaption{"Cancel", "取 消"};
constexpr int RaiseTwips = 500;
constexpr int OptionColumns = 4;

// Which device the number stands for on this machine, links included, what it is, and
// whether this user can have it, as `orvane-cli ports` says it. The ports are not opened:
// that would raise their modem lines.
QString optionToolTip(int port, bool chinese)
{
    return PortReport::toolTip(PortState::inspect(port), chinese);
}
} // namespace

PortSetupWindow::PortSetupWindow(IdentificationExchange *identification, QWidget *parent)
    : QWidget(parent)
    , m_identification(identification)
{
    const bool chinese = Language::isChinese();
    setObjectName(QStringLiteral("Form_setup"));
    setWindowTitle(Caption.text(chinese));

    m_frame = new QGroupBox(FrameCaption.text(chinese), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(m_frame);
    for (int n = PortNames::FirstPort; n <= PortNames::LastPort; ++n) {
        auto *option = new QRadioButton(QStringLiteral("COM%1").arg(n), m_frame);
        option->setObjectName(QStringLiteral("Option%1").arg(n));
        option->setToolTip(optionToolTip(n, chinese));
        grid->addWidget(option, (n - 1) / OptionColumns, (n - 1) % OptionColumns);
        m_options.append(option);
    }
    // On load every option is cleared and the current port's is checked.
    for (QRadioButton *option : m_options)
        option->setChecked(false);
    if (QRadioButton *current = option(PortNames::portNumber()))
        current->setChecked(true);

    m_ok = new QPushButton(ConfirmCaption.text(chinese), this);
    m_ok->setObjectName(QStringLiteral("Command_ok"));
    m_cancel = new QPushButton(CancelCaption.text(chinese), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &PortSetupWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &PortSetupWindow::closeWindow);
}

QRect PortSetupWindow::placement(const QSize &innerArea)
{
    const int width = int(innerArea.width() / 1.9);
    const int height = innerArea.height() / 2;
    const int left = (innerArea.width() - width) / 2;
    const int top = (innerArea.height() - height) / 2 - Screen::twipsToPixels(RaiseTwips);
    return QRect(left, top, width, height);
}

QRadioButton *PortSetupWindow::option(int port) const
{
    if (port < PortNames::FirstPort || port > PortNames::LastPort)
        return nullptr;
    return m_options.at(port - PortNames::FirstPort);
}

void PortSetupWindow::confirm()
{
    for (int n = PortNames::FirstPort; n <= PortNames::LastPort; ++n) {
        if (option(n)->isChecked())
            PortNames::setPortNumber(n);
    }
    emit LinkNotices::instance().portChosen();
    if (!m_identification)
        return;
    // A port that does not open keeps the window up (the number is already changed), so
    // the user can pick another one.
    if (!m_identification->openPort())
        return;
    m_identification->start();
    closeWindow();
}

void PortSetupWindow::closeWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}
