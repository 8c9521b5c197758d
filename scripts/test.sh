#!/usr/bin/env bash
# Builds and runs the whole test suite, first in the normal configuration, then under
# AddressSanitizer and UndefinedBehaviorSanitizer. Incremental on later calls.
# Other configurations by preset name: ./scripts/test.sh release clang packaging
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(default asan)
for preset in "${presets[@]}"; do
  echo "== $preset =="
  (
    if [ "$preset" = packaging ]; then
      # The flags a Debian package build passes; CMake reads them when it first configures.
      eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
      export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
    fi
    cmake --preset "$preset" >/dev/null
  )
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
