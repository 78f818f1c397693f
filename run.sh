#!/usr/bin/env bash
# Installs what is missing, builds, and starts the programming software.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
exec "$BUILD_DIR/src/orvane-cps" "$@"
