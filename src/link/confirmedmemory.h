#pragma once

#include "image/areamap.h"
#include "link/radioidentity.h"

#include <functional>

#include "image/memoryimage.h"

#include <QDateTime>
#include <QString>

// What a radio on the line was just proved to hold: a whole read that decoded, or a write
// whose every frame was acknowledged (and, for a write of differences, whose read-back
// matched). The link only tells; whoever keeps the radios' history installs the recorder.
namespace ConfirmedMemory {

enum class Kind {
    Read,        // a whole read
    BeforeWrite, // what the radio held just before a write began
    Written      // what a write left on the radio
};

// `rows` of `held` are what the radio confirmed; the rest of `held` means nothing.
using Recorder = std::function<void(const MemoryImage &held, Area::Range rows, const RadioIdentity &identity, Kind kind)>;

// Replaces the recorder; an empty one records nothing.
void setRecorder(const Recorder &recorder);
void report(const MemoryImage &held, Area::Range rows, const RadioIdentity &identity, Kind kind);

// What a radio was last known to hold, as its history gives it.
struct Baseline
{
    bool found = false;  // the radio has one
    MemoryImage image;   // rows 0..787, when it could be loaded
    QDateTime taken;     // UTC
    QString model;       // the model it was taken from; empty when not known
    QString problemEn;   // why it cannot be loaded; empty when it was
    QString problemZh;
};

} // namespace ConfirmedMemory
