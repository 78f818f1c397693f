#pragma once

#include "image/imagediff.h"

// Every area whose model names its fields, for comparing two images. An area that gains a
// field table (or configuration text fields) adds its entry here; until then its rows are
// compared in hex.
QVector<ImageDiff::AreaFields> diffAreas();
