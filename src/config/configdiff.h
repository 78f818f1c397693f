#pragma once

#include "image/imagediff.h"

// The signalling areas' part of an image comparison, named through the configuration
// text's fields and codecs: every field that shows differently as its key, dots read as
// blanks ("dtmf encode 3 123 -> 456"), and every change no such line accounts for as its
// row in hex. In Chinese the key's words are the windows' captions where they have one.
namespace ConfigDiff {

ImageDiff::AreaFields dtmf();
ImageDiff::AreaFields twoTone();
ImageDiff::AreaFields fiveTone();

} // namespace ConfigDiff
