#pragma once

#include <QSize>

// Sizes given in twips, at 15 twips per pixel (96 DPI logical).
namespace Screen {

constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / TwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

// The available screen in twips, or the size a test put in its place.
QSize sizeTwips();
void overrideSizeTwips(const QSize &twips);
void clearOverride();

} // namespace Screen
