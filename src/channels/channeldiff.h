#pragma once

#include "image/imagediff.h"

// The channel area's part of an image comparison: each changed field of a channel by its
// name and shown value ("ch 12 RX 145.12500 -> 145.50000"), a channel that appears or
// goes away as one line, and any other changed byte of its rows in hex.
ImageDiff::AreaFields channelDiffFields();
