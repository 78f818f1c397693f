#pragma once

#include "image/imagediff.h"

// The named fields of every area (areaentries), for comparing two images; rows no area
// names are compared in hex.
QVector<ImageDiff::AreaFields> diffAreas();
