// orvane-cli ports: the first thing to run when the radio does not answer.

#include "cli/commandline.h"

#include "link/exchangeengine.h"
#include "link/portreport.h"
#include "platform/portstate.h"

#include <QEventLoop>

namespace {

struct Probe
{
    enum class Result { Answered, NoAnswer, NotUnderstood, PortFailed };
    Result result = Result::NoAnswer;
    RadioIdentity identity;
    QByteArray heard;
    int heardCount = 0;
};

// One identification attempt with the main window's pacing. The pause that would follow
// the last attempt tells nothing more, so the reply timeout ends the probe.
Probe probe(const QString &device)
{
    Pacing once = Pacing::mainWindow();
    once.retries = 0;
    ExchangeEngine engine(once);
    engine.port().useDevice(device);
    Probe probe;
    QEventLoop loop;
    QObject::connect(&engine, &ExchangeEngine::identified, &loop, [&](const RadioIdentity &identity) {
        probe.result = Probe::Result::Answered;
        probe.identity = identity;
    });
    QObject::connect(&engine, &ExchangeEngine::finished, &loop, [&] { loop.exit(); });
    QObject::connect(&engine, &ExchangeEngine::attemptFailed, &loop, [&] { loop.exit(); });
    QObject::connect(&engine, &ExchangeEngine::failed, &loop, [&] { loop.exit(); });
    if (!engine.startIdentification()) {
        probe.result = Probe::Result::PortFailed;
        return probe;
    }
    loop.exec();
    engine.stop();
    if (probe.result != Probe::Result::Answered) {
        probe.heard = engine.heard();
        probe.heardCount = engine.heardCount();
        probe.result = probe.heardCount > 0 ? Probe::Result::NotUnderstood : Probe::Result::NoAnswer;
    }
    return probe;
}

QString probeText(const Probe &probe)
{
    switch (probe.result) {
    case Probe::Result::Answered: {
        const RadioIdentity &id = probe.identity;
        return QStringLiteral("radio: %1 %2 %3 %4 %5")
            .arg(id.modelName, id.numberText(), id.firmwareText(), id.bandAText(), id.bandBText());
    }
    case Probe::Result::NoAnswer:
        return QStringLiteral("no answer");
    case Probe::Result::NotUnderstood: {
        const QString more = probe.heardCount > probe.heard.size() ? QStringLiteral(" ...") : QString();
        return QStringLiteral("answer not understood (%1 byte%2): %3%4")
            .arg(probe.heardCount)
            .arg(probe.heardCount == 1 ? QString() : QStringLiteral("s"))
            .arg(QString::fromLatin1(probe.heard.toHex(' ').toUpper()), more);
    }
    case Probe::Result::PortFailed:
        return QStringLiteral("no longer opens");
    }
    return QString();
}

} // namespace

int CommandLine::ports(const Arguments &args)
{
    const bool probing = args.flags.contains(QLatin1String("probe"));
    const QVector<PortState::Port> found = PortState::survey();
    int opened = 0;
    int answered = 0;
    for (PortState::Port port : found) {
        PortState::tryOpen(port);
        QString line = PortReport::line(port);
        if (port.state == PortState::State::Opens) {
            ++opened;
            if (probing) {
                m_out << line << Qt::flush;
                const Probe result = probe(port.device);
                if (result.result == Probe::Result::Answered)
                    ++answered;
                m_out << "  " << probeText(result) << '\n' << Qt::flush;
                continue;
            }
        }
        m_out << line << '\n' << Qt::flush;
    }
    if (found.isEmpty())
        m_out << "no serial port found\n";
    else if (probing && answered == 0)
        m_out << "no radio answered\n";
    else if (!probing && opened == 0)
        m_out << "no port opens\n";
    m_out << Qt::flush;
    return (probing ? answered : opened) > 0 ? Done : RadioFailure;
}
