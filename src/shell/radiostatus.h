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

    static RadioStatus &instance();

    // From now on, every identification the link accepts replaces the band limits and
    // fills the panels, an unanswered one shows the fault, and a new port clears the
    // values. Calling it again changes nothing.
    void followLink();

    // Text of value panel 2, 4, 6, 8 or 10; empty for any other panel.
    QString panelText(int panel) const;
    // True while panel 3 should read "Stat:" instead of its own label.
    bool statLabelShown() const { return m_statLabel; }

    // An accepted identification: fills the value panels.
    void showIdentity(const RadioIdentity &identity);
    // Panels 2, 4, 6, 8 and 10 emptied, as a confirmed port set-up does.
    void clearValues();
    // No answer after the last attempt: panel 3 "Stat:", panel 4 the fault text in the
    // language of the moment.
    void showFault();
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
};
