#include "fleet/fleetreport.h"

#include "channels/csvtext.h"

#include <QStringList>

QStringList FleetReport::logCells() const
{
    return QStringList{finishedUtc.toString(Qt::ISODate),
                       port,
                       identity.numberText(),
                       identity.modelName,
                       identity.firmwareText(),
                       line > 0 ? QString::number(line) : QString(),
                       result,
                       QString::number(frames),
                       QString::number(seconds, 'f', 1)};
}

QString FleetReport::logLine() const
{
    QStringList quoted;
    for (const QString &c : logCells())
        quoted << CsvText::quoted(c);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString FleetReport::screenLine() const
{
    QString text = port + QStringLiteral("  ") + identity.numberText() + QStringLiteral("  ");
    if (line == 0)
        return text + detail;
    text += QStringLiteral("line %1  ").arg(line);
    text += failed ? QStringLiteral("FAILED: ") + detail : QStringLiteral("ok: ") + detail;
    return text + QStringLiteral("  (%1 s)").arg(seconds, 0, 'f', 1);
}
