#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
#   ./test.sh              Release build in build/
#   ./test.sh --sanitize   address and undefined-behaviour sanitizers, in build-sanitize/
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

case "${1:-}" in
  "") ;;
  --sanitize)
    BUILD_DIR="${BUILD_DIR:-$ROOT/build-sanitize}"
    # Line numbers in the reports, optimised enough that the timed paths keep their pace;
    # the benchmarks measure speed and have no place in this build.
    CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCH=OFF)
    export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}"
    export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
    ;;
  *)
    echo "usage: $0 [--sanitize]" >&2
    exit 2
    ;;
esac

source "$ROOT/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
