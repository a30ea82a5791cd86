#!/usr/bin/env bash
# Runs a command on a virtual display of its own: with-display.sh COMMAND [ARGUMENT...]
# The X server picks a free display number itself (-displayfd), so any number of these may start
# at the same moment; xvfb-run -a chooses by looking at lock files first, and two started together
# can choose the same number, when one of them loses its display in the middle of its work.
set -euo pipefail

folder=$(mktemp -d)
server=
finish() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$folder"
}
trap finish EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" 2>"$folder/log" &
server=$!
for _ in $(seq 300); do
  if grep -q '^[0-9][0-9]*$' "$folder/display" 2>/dev/null; then
    break
  fi
  if ! kill -0 "$server" 2>/dev/null; then
    cat "$folder/log" >&2
    echo "with-display.sh: the virtual display did not start" >&2
    exit 1
  fi
  sleep 0.1
done
if ! grep -q '^[0-9][0-9]*$' "$folder/display"; then
  echo "with-display.sh: the virtual display gave no number within 30 seconds" >&2
  exit 1
fi
DISPLAY=":$(cat "$folder/display")" "$@"
