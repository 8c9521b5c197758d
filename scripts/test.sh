#!/usr/bin/env bash
# Builds and runs the whole test suite, first in the normal configuration, then under
# AddressSanitizer and UndefinedBehaviorSanitizer. Incremental on later calls.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(default asan)
for preset in "${presets[@]}"; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
