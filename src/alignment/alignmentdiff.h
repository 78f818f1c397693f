#pragma once

#include "image/imagediff.h"

// The alignment block where a data file carries it (rows of radio address 0x3C00 on),
// compared as the alignment window knows it: each edited value by its name and number
// ("alignment high power VHF 130MHZ 12 -> 13", "alignment VHF upper limit 179 -> 174"),
// every other changed byte of a line in hex.
ImageDiff::AreaFields alignmentDiffFields();
