#include "link/identificationexchange.h"

#include "link/portopenerror.h"
#include "link/linknotices.h"

#include <QWidget>

IdentificationExchange::IdentificationExchange(QWidget *messageParent, QObject *parent)
    : QObject(parent)
    , m_messageParent(messageParent)
    , m_engine(Pacing::mainWindow(), this)
{
    connect(&m_engine, &ExchangeEngine::portOpenFailed, this,
            [this] { showPortOpenError(m_messageParent, PortOpener::MainWindow); });
    connect(&m_engine, &ExchangeEngine::failed, this,
            [this] { emit LinkNotices::instance().identificationFailed(m_engine.heardCount() > 0); });
    connect(&m_engine, &ExchangeEngine::identified, this, &IdentificationExchange::identified);
}

void IdentificationExchange::start()
{
    m_engine.stop();
    m_engine.startIdentification();
}

bool IdentificationExchange::openPort()
{
    m_engine.stop();
    if (m_engine.port().open())
        return true;
    showPortOpenError(m_messageParent, PortOpener::MainWindow);
    return false;
}
