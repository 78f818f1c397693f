#!/usr/bin/env bash
# Renders the program's icon into the PNG sizes of the hicolor theme. The PNGs are kept in
# the repository so that building needs no SVG renderer; run this after changing the SVG
# (tst_desktop fails while the two disagree). Needs rsvg-convert (librsvg2-bin).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
THEME="$ROOT/data/icons/hicolor"
SVG="$THEME/scalable/apps/org.orvane.cps.svg"
# Keep in step with ORVANE_ICON_SIZES in data/CMakeLists.txt and src/shell/appicon.qrc.
SIZES=(16 22 24 32 48 64 128 256)

for n in "${SIZES[@]}"; do
  mkdir -p "$THEME/${n}x${n}/apps"
  rsvg-convert -w "$n" -h "$n" -o "$THEME/${n}x${n}/apps/org.orvane.cps.png" "$SVG"
done
