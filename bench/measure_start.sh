#!/bin/bash
# Start-up only, with many runs: the bare Qt window with a menu bar and the game (and optionally
# other builds of the game) started by turns on one virtual X server, each timed from just before
# its start to its first frame on screen, with its CPU time (user + system, all threads) by then.
# The medians and the game / bare ratio are the figures to compare; CPU varies much less than the
# wall time on a shared machine.
#
# usage: bench/measure_start.sh [runs] [OTHER_PROGRAM...]     (default 15 runs)
#
# Uses the build of measure_performance.sh ($QUORVEL_PERF_BUILD, default build-perf), which
# must have been built by it. An OTHER_PROGRAM (an earlier build of the game, say) is started
# in the same folder as the game and watched the same way.

set -u

runs=${1:-15}
if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [runs] [OTHER_PROGRAM...]" >&2
    exit 2
fi
shift $(($# > 0 ? 1 : 0))

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=private_xvfb.sh
source "$here/private_xvfb.sh"
build=${QUORVEL_PERF_BUILD:-$here/../build-perf}
xwatch=$build/bench/quorvel_xwatch
build=$(cd "$build" && pwd) || exit 1
programs=("$build/bench/quorvel_bare_window" "$build/run/quorvel" "$@")
for program in "$xwatch" "${programs[@]}"; do
    [[ -x $program ]] || { echo "$program is missing: run bench/measure_performance.sh 1" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-start-XXXXXX") || exit 1
chmod 700 "$work"
xvfb_pid=""
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
enter_private_display "$work" "$build" || exit 1

# Starts PROGRAM, which the watcher ends at its first frame, and waits until its window has left
# the screen. Prints "VISIBLE_MS CPU_MS". The program's output goes to a file: it would keep a
# pipe open.
start_once() {
    local out
    "$xwatch" launch --region 139,130,2,270 --min-wood 400 --timeout 15000 --end -- "$1" \
        >"$work/launch.out" 2>&1
    out=$(<"$work/launch.out")
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^(Bare|Quorvel)$' >/dev/null 2>&1 || break
        sleep 0.05
    done
    sleep 0.3
    grep -q '^visible_ms=' <<<"$out" || { echo "$1 showed nothing: $out" >&2; return 1; }
    echo "$(sed -n 's/^visible_ms=//p' <<<"$out") $(sed -n 's/^cpu_ms=//p' <<<"$out")"
}

echo "load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores, $runs runs"
# One round not counted: the game writes its settings file, the files come into the page cache.
for program in "${programs[@]}"; do start_once "$program" >/dev/null || exit 1; done
declare -A visible cpu
for run in $(seq "$runs"); do
    for i in "${!programs[@]}"; do
        read -r ms c < <(start_once "${programs[i]}") || exit 1
        visible[$i]+="$ms "
        cpu[$i]+="$c "
    done
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"

stats() { tr ' ' '\n' <<<"$1" | grep . | sort -g |
    awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                             printf "%8.1f %8.1f %8.1f", v[1], m, v[NR] }'; }
median() { stats "$1" | awk '{ print $2 }'; }
printf '%-52s %26s   %26s  %s\n' program "start ms: min median max" "CPU ms: min median max" "/ bare"
for i in "${!programs[@]}"; do
    ratio=$(awk -v g="$(median "${visible[$i]}")" -v b="$(median "${visible[0]}")" \
        'BEGIN { printf "%.2f", g / b }')
    label=${programs[i]}
    ((${#label} > 52)) && label=…${label: -51}
    printf '%-52s %26s   %26s  %s\n' "$label" "$(stats "${visible[$i]}")" \
        "$(stats "${cpu[$i]}")" "$ratio"
done
