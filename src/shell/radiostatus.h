#pragma once

#include "texts/language.h"

#include <QObject>
#include <QString>

struct RadioIdentity;

// What the status bar says about the connected radio. One process-wide instance, so the
// main window and every transfer window show the same panels: model (2), number (4),
// firmware (6), band A (8), band B (10), and the fault state that turns panel 3's label
// into "Stat:".
class RadioStatus : public QObject
{
    Q_OBJECT
public:
    static constexpr BiText StatLabel{"Stat:", "状态:"};
    static constexpr BiText FaultText{"Communication fault.", "联机故障 ！"};
    // The fault panel's tooltip: the likely cause, as far as the line tells it.
    static constexpr BiText NoAnswerCause{
        "No answer: check that the radio is on and the cable is in the radio's programming socket.",
        "无应答：请检查对讲机是否开机、写频线是否插好。"};
    static constexpr BiText ForeignAnswerCause{"The radio answered, but not as this model does.",
                                               "对讲机有应答，但不是本型号的应答。"};

    static RadioStatus &instance();

    // From now on, every identification the link accepts replaces the band limits and
    // fills the panels, an unanswered one shows the fault, and a new port clears the
    // values. Calling it again changes nothing.
    void followLink();

    // Text of value panel 2, 4, 6, 8 or 10; empty for any other panel.
    QString panelText(int panel) const;
    // Tooltip of a panel: for panel 4 after a fault, its likely cause in the language of
    // the moment; empty otherwise.
    QString panelToolTip(int panel) const;
    // True while panel 3 should read "Stat:" instead of its own label.
    bool statLabelShown() const { return m_statLabel; }

    // An accepted identification: fills the value panels.
    void showIdentity(const RadioIdentity &identity);
    // Panels 2, 4, 6, 8 and 10 emptied, as a confirmed port set-up does.
    void clearValues();
    // No answer after the last attempt: panel 3 "Stat:", panel 4 the fault text in the
    // language of the moment, and the likely cause as its tooltip.
    void showFault(bool somethingCameBack = false);
    // A window's own transfer gave up: panel 2 the fault text in the language of the moment.
    void showTransferFault();
    // A language switch relabels panel 3; the value panels keep what they show.
    void languageSwitched();

signals:
    void changed();

private:
    QString m_model;
    QString m_number;
    QString m_firmware;
    QString m_bandA;
    QString m_bandB;
    bool m_statLabel = false;
    bool m_following = false;
    enum class FaultCause { None, Silence, ForeignAnswer };
    FaultCause m_faultCause = FaultCause::None;
};
