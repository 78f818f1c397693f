#pragma once

#include "link/radioidentity.h"

#include <QObject>
#include <optional>

// What the serial link has to tell the layers above it, announced for anyone who cares.
// The link knows nothing of the status bar or of the band limits the editors check
// against; the shell listens here and keeps both up to date.
class LinkNotices : public QObject
{
    Q_OBJECT
public:
    static LinkNotices &instance();

    // The radio that identified itself last on the chosen port, for windows opened later
    // (a printed channel list names it); none after another port was chosen.
    const std::optional<RadioIdentity> &lastIdentity() const { return m_lastIdentity; }

signals:
    // Any window's exchange accepted an identification; emitted before the exchange goes
    // on, so every later frequency check already sees the radio's band limits.
    void identified(const RadioIdentity &identity);
    // The main window's identification went unanswered after its last attempt.
    // `somethingCameBack`: bytes did arrive, only none of them was this model's
    // identification; otherwise the line stayed silent.
    void identificationFailed(bool somethingCameBack);
    // The port set-up chose a port; what the old one reported no longer holds.
    void portChosen();
    // A window's own transfer gave up after its last attempt and the main window's
    // status bar should say so (the alignment window does).
    void transferGaveUp();

private:
    LinkNotices();

    std::optional<RadioIdentity> m_lastIdentity;
};
