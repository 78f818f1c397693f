#!/usr/bin/env bash
# Installs what is missing, builds, and starts the programming software.
#   ./run.sh --demo   the same, against a virtual radio holding the demo memory
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
if [ "${1:-}" = "--demo" ]; then
  shift
  exec "$ROOT/scripts/demo.sh" "$BUILD_DIR" "$BUILD_DIR/src/orvane-cps" "$@"
fi
exec "$BUILD_DIR/src/orvane-cps" "$@"
