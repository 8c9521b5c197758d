#!/usr/bin/env bash
# Checks that every include points down the house: app -> vision -> http, json -> common, platform
# (platform may use common), and that only platform/ includes the libraries it wraps.
#   scripts/check-includes.sh        (exit status 1 and one line per fault when any is found)
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [app]="app vision http json common platform"
  [vision]="vision http json common platform"
  [http]="http common platform"
  [json]="json common platform"
  [platform]="platform common"
  [common]="common"
)
# Headers of the wrapped libraries: Qt, libcurl, iconv, libpng, libjpeg, OpenSSL, ICU.
wrapped='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q[A-Za-z]*|Qt[A-Za-z]*/.*|curl/.*|iconv\.h|png\.h|jpeglib\.h|jerror\.h|openssl/.*|unicode/.*)>'

faults=0
for folder in "${!allowed[@]}"; do
  while IFS= read -r file; do
    while IFS=: read -r line target; do
      top=${target%%/*}
      [ -d "$top" ] || continue  # a header of the same folder named without its path
      if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
        echo "$file:$line: includes \"$target\": $folder/ may include only ${allowed[$folder]}"
        faults=$((faults + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | sed -E 's/^([0-9]+):.*"([^"]+)".*/\1:\2/')
    if [ "$folder" != platform ]; then
      while IFS= read -r hit; do
        echo "$file:${hit%%:*}: includes a wrapped library's header outside platform/: ${hit#*:}"
        faults=$((faults + 1))
      done < <(grep -nE "$wrapped" "$file" || true)
    fi
  done < <(find "$folder" -name '*.h' -o -name '*.cpp' | sort)
done

if [ "$faults" -gt 0 ]; then
  echo "check-includes: $faults include(s) point up the house" >&2
  exit 1
fi
echo "check-includes: every include points down the house"
