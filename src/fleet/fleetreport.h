#pragma once

#include "link/radioidentity.h"

#include <QDateTime>
#include <QString>

// What became of one radio of a fleet job, as the command line prints and logs it and the
// window shows it.
struct FleetReport
{
    QDateTime finishedUtc;
    QString port;
    RadioIdentity identity;
    int line = 0;        // the row's line in the plan, 0 when the radio took none
    QString result;      // "ok", "failed: ...", "skipped: ..."
    QString detail;      // what the write came to, for the person watching
    QString detailChinese; // the same for a window in Chinese; the command line never shows it
    int frames = 0;      // frames the radio acknowledged
    double seconds = 0;  // from taking the row to the end
    bool failed = false;

    // The cells of one log line: UTC time, port, radio number, model, firmware, line,
    // result, frames, seconds.
    static constexpr int LogColumns = 9;
    QStringList logCells() const;
    // One line of the --log file, CSV, with its line end.
    QString logLine() const;
    // "COM1 (/dev/ttyUSB0)  ORV...  line 2  ok: Written and checked: 3 frames.  (21.4 s)"
    QString screenLine() const;
};
