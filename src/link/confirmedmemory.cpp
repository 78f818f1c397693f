#include "link/confirmedmemory.h"

namespace ConfirmedMemory {

namespace {
Recorder &recorder()
{
    static Recorder r;
    return r;
}
} // namespace

void setRecorder(const Recorder &r)
{
    recorder() = r;
}

void report(const MemoryImage &held, Area::Range rows, const RadioIdentity &identity, Kind kind)
{
    if (recorder())
        recorder()(held, rows, identity, kind);
}

} // namespace ConfirmedMemory
