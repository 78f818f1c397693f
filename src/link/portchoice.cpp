#include "link/portchoice.h"

#include "platform/portnames.h"

bool PortChoice::parse(const QString &text, PortChoice &choice)
{
    choice = PortChoice{};
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int n = t.mid(3).toInt(&ok);
        if (!ok || n < PortNames::FirstPort || n > PortNames::LastPort)
            return false;
        choice.number = n;
        return true;
    }
    if (t.isEmpty())
        return false;
    choice.device = t;
    return true;
}

QString PortChoice::description() const
{
    if (!device.isEmpty())
        return device;
    return QStringLiteral("COM%1 (%2)").arg(number).arg(PortNames::devicePath(number));
}
