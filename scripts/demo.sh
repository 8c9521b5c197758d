#!/usr/bin/env bash
# Tries the program without an account: builds the demo variant, whose service is a local stand-in
# on 127.0.0.1 (canned success replies) trusted by that variant only, starts the stand-in, starts
# the program, and stops the stand-in by its process id when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default -DVISION_DESK_DEMO=ON >/dev/null
cmake --build --preset default --target vision-desk-demo vision-desk-stand-in
build=build/default
port=$(sed -n 's/^VISION_DESK_DEMO_PORT:STRING=//p' "$build/CMakeCache.txt")

log=$(mktemp)
"$build/demo/vision-desk-stand-in" >"$log" 2>&1 &
stand_in=$!
trap 'kill "$stand_in" 2>/dev/null && wait "$stand_in" 2>/dev/null; rm -f "$log"' EXIT
# It says so once it holds the port.
until grep -q "listening on https://127.0.0.1:$port" "$log"; do
  kill -0 "$stand_in" 2>/dev/null || { cat "$log" >&2; echo "demo: the stand-in did not start" >&2; exit 1; }
  sleep 0.1
done
cat "$log"

echo "demo: sample pictures are in $PWD/$build/demo/samples (face-1.png, face-2.png, text.png, plate.png)"
"$build/demo/vision-desk-demo"
