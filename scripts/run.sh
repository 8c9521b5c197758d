#!/usr/bin/env bash
# Builds the program (incrementally) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vision-desk
exec build/default/app/vision-desk
