#!/usr/bin/env bash
# Builds the demo variant in a build directory (turning VISION_DESK_DEMO on there) and runs its test:
# the demo program's window on the offscreen platform against the stand-in executable, one face
# comparison and one text and one plate recognition, checking the texts shown.
#   scripts/check-demo.sh <build-dir>     (a configured build directory with tests, e.g. build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/check-demo.sh <build-dir>}

cmake -S . -B "$build" -DVISION_DESK_DEMO=ON >/dev/null
cmake --build "$build" --target demo_tests vision-desk-demo vision-desk-stand-in
ctest --test-dir "$build" -R '^DemoVariant\.' --output-on-failure --no-tests=error
echo "check-demo: OK"
