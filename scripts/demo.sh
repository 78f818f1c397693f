#!/usr/bin/env bash
# The program against a virtual radio that holds the demo memory (data/demo.dat), so that it
# can be seen working without a radio. The radio goes behind the first COM number that has
# no link yet, in the same link folder the program reads; links someone else made are left
# as they are. When the program exits the radio stops and removes its own link.
#   usage: scripts/demo.sh BUILD_DIR [COMMAND ARGS...]   (default command: the program)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${1:?usage: scripts/demo.sh BUILD_DIR [COMMAND ARGS...]}"
shift
[ "$#" -gt 0 ] || set -- "$BUILD_DIR/src/orvane-cps"
VRADIO="$BUILD_DIR/tools/vradio/orvane-vradio"
[ -x "$VRADIO" ] || { echo "demo: $VRADIO is not built" >&2; exit 1; }

log="$(mktemp)"
"$VRADIO" --free-com --data "$ROOT/data/demo.dat" >/dev/null 2>"$log" &
radio=$!
stop_radio() {
  # SIGTERM lets the radio remove its link; only its own, and only if it still leads to it.
  kill "$radio" 2>/dev/null || true
  wait "$radio" 2>/dev/null || true
  rm -f "$log"
}
trap stop_radio EXIT
trap 'exit 130' INT TERM HUP

line=""
# Up to 30 s: on a loaded machine (a sanitizer build, a full test run) the radio's start-up
# alone can take several seconds, and giving up early would leave the user with no demo.
for _ in $(seq 600); do
  line="$(grep -m 1 '^COM' "$log" || true)"
  [ -n "$line" ] && break
  if ! kill -0 "$radio" 2>/dev/null; then
    cat "$log" >&2
    echo "demo: the virtual radio did not start" >&2
    exit 1
  fi
  sleep 0.05
done
[ -n "$line" ] || { cat "$log" >&2; echo "demo: the virtual radio did not report its COM number" >&2; exit 1; }
com="${line%% *}"
echo "demo: the virtual radio with data/demo.dat is on $line"
if [ "$com" != "COM1" ]; then
  echo "demo: COM1 already has a link of yours, so the demo radio uses $com. If the program finds"
  echo "      another port first, choose $com under Program -> Communication."
fi

set +e
"$@"
status=$?
set -e
exit "$status"
