#!/usr/bin/env bash
# Builds the Debian package: the set-up and build of run.sh and test.sh, then cpack. The
# package lands in build/package/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$BUILD_DIR/package"
ls "$BUILD_DIR"/package/*.deb
