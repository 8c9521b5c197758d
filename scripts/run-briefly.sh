#!/usr/bin/env bash
# Starts a built or installed program on Qt's offscreen platform, with no network (an empty network
# namespace: the program's start-up request to the service cannot leave the machine), checks that
# it is still running after a few seconds, then asks it to end with SIGTERM, sent to its process id:
# it closes its window as if the user had, and must exit with status 0.
#   scripts/run-briefly.sh <program> [seconds]
# Fails when a library is missing, the program ends by itself, or it does not close cleanly.
set -euo pipefail
program=$1
seconds=${2:-3}

if ldd "$program" | grep -q 'not found'; then
  ldd "$program" | grep 'not found' >&2
  exit 1
fi
no_network=(unshare --net)
[ "$(id -u)" -ne 0 ] && no_network=(unshare --map-root-user --net)
"${no_network[@]}" true || { echo "run-briefly: cannot make a network namespace (${no_network[*]})" >&2; exit 1; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
QT_QPA_PLATFORM=offscreen "${no_network[@]}" "$program" >"$log" 2>&1 &
pid=$!
sleep "$seconds"
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  echo "run-briefly: $program ended by itself with status $status:" >&2
  cat "$log" >&2
  exit 1
fi
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "run-briefly: $program ended with status $status on SIGTERM (0 expected):" >&2
  cat "$log" >&2
  exit 1
fi
echo "run-briefly: $program ran ${seconds}s on the offscreen platform and closed cleanly on SIGTERM"
