#pragma once

#include "image/imagediff.h"

#include <vector>

class MemoryImage;

// Every area of the memory image an editor edits, one row each: what the start-up and
// the area's Default write, and the named fields a comparison shows (the changes window,
// `orvane-cli diff`, `verify`, `--dry-run`). The command line reads these rows without any
// window; an editor window's registry row names its area here, and the window itself
// declares its transfer. A new area is its own folder and one row.
struct AreaEntry
{
    const char *name;
    // Its defaults; they run after the whole image was set to 0xFF.
    void (*defaults)(MemoryImage &image);
    // Its fields by name; null compares its rows in hex.
    QVector<ImageDiff::AreaFields> (*fields)();
    // Its defaults read what the others wrote, so they run after every other area's.
    bool defaultsLast = false;
};

// In the order comparisons name the areas.
const std::vector<AreaEntry> &areaEntries();
const AreaEntry *findArea(const char *name);
