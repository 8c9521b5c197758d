#!/usr/bin/env bash
# Builds the Debian package of a build, lists its contents and control fields, installs and removes
# it in a throw-away root (dpkg --root), runs the program extracted from it on the offscreen
# platform, and runs lintian on it (no error allowed).
#   scripts/check-package.sh <build-dir>     (a configured build directory, e.g. build/packaging)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/check-package.sh <build-dir>}

cmake --build "$build" --target vision-desk vd_install_data
rm -f "$build"/vision-desk_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vision-desk_*.deb)
echo "== $deb"
dpkg-deb -c "$deb"
dpkg-deb -f "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-wqy-zenhei fonts-arphic-uming libqt6widgets6 libcurl4; do
  grep -q "\b$needed\b" <<<"$depends" || { echo "Depends lacks $needed" >&2; exit 1; }
done

echo "== dependencies resolve on this machine (simulated installation)"
apt-get install --simulate --no-install-recommends "$(realpath "$deb")" | grep -E '^(Inst|Conf) '

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
echo "== install and remove in a throw-away root"
mkdir -p "$root/db/info" "$root/db/updates" "$root/tree"
touch "$root/db/status"
# The throw-away root holds none of the dependencies.
dpkg --root="$root/tree" --admindir="$root/db" --force-depends --force-script-chrootless -i "$deb"
dpkg --root="$root/tree" --admindir="$root/db" -s vision-desk | grep -q '^Status: install ok installed'
dpkg --root="$root/tree" --admindir="$root/db" --force-depends --force-script-chrootless --purge vision-desk
left=$(find "$root/tree" -type f)
[ -z "$left" ] || { echo "left after removal:" >&2; echo "$left" >&2; exit 1; }
echo "installed and removed; nothing left"

echo "== the program from the package"
dpkg-deb -x "$deb" "$root/extracted"
scripts/run-briefly.sh "$root/extracted/usr/bin/vision-desk"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "check-package: OK"
