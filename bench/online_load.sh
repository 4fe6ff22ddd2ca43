#!/bin/bash
# The load check of network play: a private Prosody with 2 × GAMES accounts, GAMES games played
# at once by quorvel_netload (one process, two headless players per game), every game's two
# records compared at the end. Prints the client's figures and the server's CPU time and memory.
#
# usage: bench/online_load.sh [BUILD_DIR] [GAMES] [MOVE_CAP]     (default build, 50, 200)

set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
games=${2:-50}
cap=${3:-200}
tool=$build/tools/quorvel_netload
if [[ ! -x $tool ]]; then
    echo "$tool is missing: cmake --build $build --target quorvel_netload" >&2
    exit 2
fi

dir=$(mktemp -d)
cleanup() {
    "$here/tests/online/prosody.sh" stop "$dir"
    rm -rf "$dir"
}
trap cleanup EXIT

"$here/tests/online/prosody.sh" start "$dir" $((2 * games)) >/dev/null
server=$(cat "$dir/prosody.launcher.pid")
status=0
"$tool" "$dir" "$games" "$cap" || status=$?
# The server's CPU time since it started (user + system, in clock ticks) and its peak and
# present resident memory.
ticks=$(awk '{print $14 + $15}' "/proc/$server/stat")
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$server/status")
rss=$(ps -o rss= -p "$server")
awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" -v hwm="$hwm" -v rss="$rss" \
    'BEGIN { printf "server CPU %.1f s, server peak RSS %d MiB (now %d MiB)\n", t / hz, hwm / 1024, rss / 1024 }'
exit "$status"
