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
# CPU time as [[dd-]hh:]mm:ss and the resident set in KiB, of the server since it started.
read -r cpu rss < <(ps -o cputime=,rss= -p "$server")
echo "server CPU $cpu, server RSS $((rss / 1024)) MiB"
exit "$status"
