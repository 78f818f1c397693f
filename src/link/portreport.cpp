#include "link/portreport.h"

#include "texts/language.h"

#include <QStringList>

namespace {
using PortState::State;

constexpr BiText PseudoTerminal{"pseudo-terminal", "伪终端"};
constexpr BiText Serial{"serial %1", "序列号 %1"};
constexpr BiText Absent{"absent", "不存在"};
constexpr BiText BrokenLink{"absent (its link leads to %1, which is gone)", "不存在（其链接指向的 %1 已不存在）"};
// Opening such a port still shows the usual message box; this says why.
constexpr BiText NotInGroup{
    "You are not in the group \"%1\" that owns this device, so it cannot be opened. "
    "Add your user to that group, then log out and in again.",
    "当前用户不在拥有此设备的用户组“%1”中，无法打开此端口。请把用户加入该组，然后注销并重新登录。"};
// The command line has room for the README's fix itself.
constexpr char NoPermissionLine[] = "no permission: you are not in the group \"%1\" that owns this device; "
                                    "fix: sudo usermod -aG %1 \"$USER\", then log out and log in again";
constexpr BiText HeldBy{"held by another program: pid %1 (%2)", "被其他程序占用：进程 %1（%2）"};
constexpr BiText HeldByPid{"held by another program: pid %1", "被其他程序占用：进程 %1"};
constexpr BiText Held{"held by another program", "被其他程序占用"};
constexpr BiText HeldHere{"in use by this program (a transfer with the radio is running)", "本程序正在使用（正在与对讲机通讯）"};
constexpr BiText Free{"not in use", "未被占用"};
constexpr BiText Opens{"opens", "可以打开"};
constexpr BiText Fails{"does not open: %1", "无法打开：%1"};
} // namespace

namespace PortReport {

QString hardware(const PortState::Port &port, bool chinese)
{
    QStringList parts;
    if (port.pseudoTerminal)
        parts << PseudoTerminal.text(chinese);
    for (const QString &text : {port.manufacturer, port.description}) {
        if (!text.isEmpty() && !parts.contains(text))
            parts << text;
    }
    if (port.hasUsbIds())
        parts << QStringLiteral("%1:%2").arg(port.vendorId, 4, 16, QLatin1Char('0')).arg(port.productId, 4, 16, QLatin1Char('0'));
    if (!port.serialNumber.isEmpty())
        parts << Serial.text(chinese).arg(port.serialNumber);
    return parts.join(QStringLiteral(", "));
}

QString state(const PortState::Port &port, bool chinese)
{
    switch (port.state) {
    case State::Absent:
        return port.brokenLinkTarget.isEmpty() ? Absent.text(chinese) : BrokenLink.text(chinese).arg(port.brokenLinkTarget);
    case State::NoPermission:
        return NotInGroup.text(chinese).arg(port.group);
    case State::Held:
        if (port.heldHere())
            return HeldHere.text(chinese);
        if (port.holderPid <= 0)
            return Held.text(chinese);
        if (port.holderName.isEmpty())
            return HeldByPid.text(chinese).arg(port.holderPid);
        return HeldBy.text(chinese).arg(port.holderPid).arg(port.holderName);
    case State::Free:
        return Free.text(chinese);
    case State::Opens:
        return Opens.text(chinese);
    case State::Fails:
        return Fails.text(chinese).arg(port.error);
    }
    return QString();
}

QString line(const PortState::Port &port)
{
    QStringList fields;
    fields << (port.number > 0 ? QStringLiteral("COM%1").arg(port.number) : QStringLiteral("-")) << port.device;
    const QString facts = hardware(port, false);
    if (!facts.isEmpty())
        fields << facts;
    fields << (port.state == State::NoPermission ? QString::fromLatin1(NoPermissionLine).arg(port.group)
                                                 : state(port, false));
    return fields.join(QStringLiteral("  "));
}

QString toolTip(const PortState::Port &port, bool chinese)
{
    QStringList lines{port.device};
    const QString facts = hardware(port, chinese);
    if (!facts.isEmpty())
        lines << facts;
    lines << state(port, chinese);
    return lines.join(QLatin1Char('\n'));
}

} // namespace PortReport
