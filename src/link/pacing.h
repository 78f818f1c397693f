#pragma once

// How fast a window's exchange talks and how patiently it waits. Each window passes its
// own set; the values are those its users' radios were built around.
struct Pacing
{
    // The first tick comes this long after a frame is queued.
    int firstTickMs = 15;
    // 0: the whole frame goes out in the first tick. Otherwise one byte per tick, the
    // ticks this far apart.
    int byteTickMs = 0;
    // Reply timeout re-armed after each byte, and after the frame's last byte.
    int timeoutAfterByteMs = 2000;
    int timeoutAfterLastMs = 1000;
    // Pause after a reply timeout before the next attempt (or the failure).
    int retryPauseMs = 3000;
    // Attempts after the first; 0 means the failure comes at the end of the pause.
    int retries = 3;

    // The main window's identification: the handshake one byte per 10 ms.
    static constexpr Pacing mainWindow() { return Pacing{15, 10, 5000, 5000, 1500, 3}; }
    // The read window and the channel, FM, DTMF, 2-tone and 5-tone transfers.
    static constexpr Pacing transferWindow() { return Pacing{15, 0, 2000, 1000, 3000, 3}; }
    // The write window: no retry, the failure at the end of a 5 s pause.
    static constexpr Pacing writeWindow() { return Pacing{15, 0, 2000, 1000, 5000, 0}; }
    // The optional features transfer: one byte per 10 ms, as the radio takes its menu
    // settings, with the read window's waits.
    static constexpr Pacing optionsTransfer() { return Pacing{15, 10, 2000, 1000, 3000, 3}; }
    // The alignment transfer: one byte per 10 ms, shorter waits.
    static constexpr Pacing alignmentTransfer() { return Pacing{15, 10, 1000, 1000, 2000, 3}; }
};
