#include "link/portprobe.h"

#include "texts/language.h"

#include <QEventLoop>

namespace {

Pacing probePacing()
{
    Pacing once = Pacing::mainWindow();
    once.retries = 0;
    return once;
}

constexpr BiText Radio{"radio: %1 %2 %3 %4 %5", "对讲机：%1 %2 %3 %4 %5"};
constexpr BiText NoAnswer{"no answer", "无应答"};
constexpr BiText NotUnderstood{"answer not understood (%1 byte%2): %3%4", "应答无法识别（%1 字节）：%3%4"};
constexpr BiText NoLongerOpens{"no longer opens", "已无法打开"};

} // namespace

QString PortProbe::Outcome::text(bool chinese) const
{
    switch (result) {
    case Result::Answered: {
        const RadioIdentity &id = identity;
        return Radio.text(chinese).arg(id.modelName, id.numberText(), id.firmwareText(), id.bandAText(), id.bandBText());
    }
    case Result::NoAnswer: return NoAnswer.text(chinese);
    case Result::NotUnderstood: {
        const QString more = heardCount > heard.size() ? QStringLiteral(" ...") : QString();
        return NotUnderstood.text(chinese)
            .arg(heardCount)
            .arg(heardCount == 1 || chinese ? QString() : QStringLiteral("s"))
            .arg(QString::fromLatin1(heard.toHex(' ').toUpper()), more);
    }
    case Result::PortFailed: return NoLongerOpens.text(chinese);
    }
    return QString();
}

PortProbe::PortProbe(QObject *parent)
    : QObject(parent)
    , m_engine(probePacing())
{
    connect(&m_engine, &ExchangeEngine::identified, this, [this](const RadioIdentity &identity) {
        m_outcome.result = Result::Answered;
        m_outcome.identity = identity;
    });
    connect(&m_engine, &ExchangeEngine::finished, this, &PortProbe::end);
    connect(&m_engine, &ExchangeEngine::attemptFailed, this, &PortProbe::end);
    connect(&m_engine, &ExchangeEngine::failed, this, &PortProbe::end);
}

bool PortProbe::start(const QString &device)
{
    stop();
    m_device = device;
    m_outcome = Outcome{};
    m_engine.port().useDevice(device);
    m_running = true;
    if (!m_engine.startIdentification()) {
        m_running = false;
        m_outcome.result = Result::PortFailed;
        emit finished(m_outcome);
        return false;
    }
    return true;
}

void PortProbe::stop()
{
    m_engine.stop();
    m_running = false;
}

void PortProbe::end()
{
    if (!m_running)
        return;
    m_running = false;
    m_engine.stop();
    if (m_outcome.result != Result::Answered) {
        m_outcome.heard = m_engine.heard();
        m_outcome.heardCount = m_engine.heardCount();
        m_outcome.result = m_outcome.heardCount > 0 ? Result::NotUnderstood : Result::NoAnswer;
    }
    emit finished(m_outcome);
}

PortProbe::Outcome PortProbe::run(const QString &device)
{
    PortProbe probe;
    Outcome outcome;
    QEventLoop loop;
    connect(&probe, &PortProbe::finished, &loop, [&](const Outcome &o) {
        outcome = o;
        loop.exit();
    });
    if (probe.start(device))
        loop.exec();
    return outcome;
}
