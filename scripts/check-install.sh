#!/usr/bin/env bash
# Installs a build into a staging folder (DESTDIR) and checks the installed tree: the program starts
# from there on the offscreen platform, the desktop entry and the AppStream metainfo are valid, and
# the icon exists in every size.
#   scripts/check-install.sh <build-dir>     (a configured build directory, e.g. build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/check-install.sh <build-dir>}
id=io.github.visiondesk.VisionDesk
sizes=(16 24 32 48 64 128 256)

cmake --build "$build" --target vision-desk vd_install_data
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
echo "== installed tree"
(cd "$stage" && find . -type f | sort)

share=$stage/usr/share
test -x "$stage/usr/bin/vision-desk"
echo "== desktop-file-validate"
desktop-file-validate "$share/applications/$id.desktop"
grep -qx "Exec=vision-desk" "$share/applications/$id.desktop"
grep -qx "Icon=$id" "$share/applications/$id.desktop"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
echo "== icons"
test -s "$share/icons/hicolor/scalable/apps/$id.svg"
for size in "${sizes[@]}"; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  file "$png" | grep -q "PNG image data, $size x $size," || { echo "not a ${size}x${size} PNG: $png" >&2; exit 1; }
done
echo "icons: scalable ${sizes[*]}"
test -s "$share/man/man1/vision-desk.1.gz"
echo "== the installed program"
scripts/run-briefly.sh "$stage/usr/bin/vision-desk"
echo "check-install: OK"
