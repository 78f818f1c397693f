#include "shell/radiostatus.h"

#include "image/bandlimits.h"
#include "link/linknotices.h"
#include "link/radioidentity.h"

RadioStatus &RadioStatus::instance()
{
    static RadioStatus status;
    return status;
}

void RadioStatus::followLink()
{
    if (m_following)
        return;
    m_following = true;
    LinkNotices &notices = LinkNotices::instance();
    connect(&notices, &LinkNotices::identified, this, [this](const RadioIdentity &identity) {
        BandLimits::adoptReported(identity.limits);
        showIdentity(identity);
    });
    connect(&notices, &LinkNotices::identificationFailed, this, &RadioStatus::showFault);
    connect(&notices, &LinkNotices::portChosen, this, &RadioStatus::clearValues);
    connect(&notices, &LinkNotices::transferGaveUp, this, &RadioStatus::showTransferFault);
}

QString RadioStatus::panelText(int panel) const
{
    switch (panel) {
    case 2: return m_model;
    case 4: return m_number;
    case 6: return m_firmware;
    case 8: return m_bandA;
    case 10: return m_bandB;
    default: return QString();
    }
}

QString RadioStatus::panelToolTip(int panel) const
{
    if (panel != 4)
        return QString();
    switch (m_faultCause) {
    case FaultCause::Silence: return NoAnswerCause.text();
    case FaultCause::ForeignAnswer: return ForeignAnswerCause.text();
    case FaultCause::None: break;
    }
    return QString();
}

void RadioStatus::showIdentity(const RadioIdentity &identity)
{
    m_faultCause = FaultCause::None;
    m_model = identity.modelName;
    m_number = identity.numberText();
    m_firmware = identity.firmwareText();
    m_bandA = identity.bandAText();
    m_bandB = identity.bandBText();
    emit changed();
}

void RadioStatus::clearValues()
{
    m_faultCause = FaultCause::None;
    m_model.clear();
    m_number.clear();
    m_firmware.clear();
    m_bandA.clear();
    m_bandB.clear();
    emit changed();
}

void RadioStatus::showFault(bool somethingCameBack)
{
    m_statLabel = true;
    m_faultCause = somethingCameBack ? FaultCause::ForeignAnswer : FaultCause::Silence;
    m_number = FaultText.text();
    emit changed();
}

void RadioStatus::showTransferFault()
{
    m_model = FaultText.text();
    emit changed();
}

void RadioStatus::languageSwitched()
{
    // The cause follows the language; the fault text itself stays as it was shown.
    if (!m_statLabel && m_faultCause == FaultCause::None)
        return;
    m_statLabel = false;
    emit changed();
}
