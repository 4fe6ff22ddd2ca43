#!/bin/bash
# Measures the real program (Release build) on a virtual X server: the time from start to the
# board on screen and resident memory after start, each beside the same figures of a bare Qt
# window with a menu bar (bench/bare_window.cpp) started in the same way in the same run, CPU while a game waits for the player with the
# clock running, CPU over a computer turn with its animation, and the time from a press on a
# magnet to the first changed pixels on screen. Each run starts the program anew; the summary
# gives min / median / max of the runs next to the goal.
#
# usage: bench/measure_performance.sh [runs]      (default 5 runs)
#
# Environment:
#   QUORVEL_PERF_BUILD  build folder (default: build-perf at the top of the repository). It is
#                       configured as Release without tests when it has no CMakeCache.txt, and
#                       the program, its sound files and the screen watcher are built in it.
#   QUORVEL_PERF_KEEP   when set, the work folder with the program's logs is kept.
#
# Needs Xvfb, xdotool and ImageMagick's import (tools/install_packages.sh installs them), and the
# X11, Xext and XTest headers for the watcher.

set -u

runs=${1:-5}
if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [runs]" >&2
    exit 2
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=private_xvfb.sh
source "$here/private_xvfb.sh"
root=$(cd "$here/.." && pwd)
build=${QUORVEL_PERF_BUILD:-$root/build-perf}

for tool in Xvfb xdotool import cmake; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done

# ---- build ---------------------------------------------------------------------------------
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null ||
        exit 1
fi
if [[ $(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt") != Release ]]; then
    echo "note: $build is not a Release build; the figures will not be representative" >&2
fi
cmake --build "$build" -j2 --target quorvel quorvel_sounds quorvel_xwatch quorvel_bare_window \
    >"$build/perf-build.log" 2>&1 ||
    { tail -20 "$build/perf-build.log"; exit 1; }
program=$build/run/quorvel
xwatch=$build/bench/quorvel_xwatch
bare_window=$build/bench/quorvel_bare_window

# ---- a private X server and work folder ------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-perf-XXXXXX") || exit 1
chmod 700 "$work"
xvfb_pid=""
program_pid=""
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    if [[ -n ${QUORVEL_PERF_KEEP:-} ]]; then
        echo "work folder kept: $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

enter_private_display "$work" "$build" || exit 1


# ---- helpers -------------------------------------------------------------------------------
fail() {
    echo "FAIL: $*" >&2
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "the X server $DISPLAY has gone:" >&2
        tail -5 "$work/xvfb.log" >&2
    fi
    exit 1
}

# Run time of all the program's threads in nanoseconds. The clock ticks of /proc/PID/stat count
# in 10 ms steps, a tenth of the idle goal over ten seconds; the scheduler's own figures are
# exact. (A thread that ends during the measurement would take its time with it; none does
# while the game waits.)
process_ns() { cat /proc/"$program_pid"/task/*/schedstat | awk '{ sum += $1 } END { print sum }'; }

# Run time of the program's main thread in nanoseconds.
main_thread_ns() { cut -d' ' -f1 "/proc/$program_pid/task/$program_pid/schedstat"; }

# Closes the untitled message box the game shows when a game starts.
close_box() {
    local box
    box=$(visible_window '^ $' 100) || fail "no message box appeared"
    xdotool windowfocus --sync "$box" key Return
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^ $' >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "the message box did not close"
}

# Opens a menu of the menu bar by a click on its title and walks it with keys.
menu() {  # X KEY...
    local x=$1
    shift
    xdotool mousemove "$x" "$menu_mid" click 1
    sleep 0.3
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.15
    done
}

# The height of the menu bar: the board's top grid line lies 84 logical pixels below it. Found
# once on the first screen: the first row green (0,128,0) from x = 123 to 420.
find_menu_height() {
    import -window root -crop 298x140+123+0 +repage -depth 8 "$work/top.txt" 2>/dev/null ||
        fail "screenshot failed"
    awk 'NR > 1 { split($1, at, ","); sub(":", "", at[2]); if ($2 != "(0,128,0)") bad[at[2]] = 1;
                  seen[at[2]] = 1 }
         END { for (y = 0; y < 140; ++y) if (seen[y] && !bad[y]) { print y - 84; exit } }' \
        "$work/top.txt"
}

# ---- the program's geometry ----------------------------------------------------------------
# Logical pixels of the client area (the window sits at 0,0 without decorations on Xvfb):
# cell (X, Y) has its corner at ((1350 + 495 X) / 15, (650 + 615 Y) / 15) and is 33 x 41.
# The upper magnet is cell (5, -1): (255, 2.3) .. (288, 43.3).
magnet_x=271
magnet_region_x=258
# Board, upper, lower and right magnets; the left magnet on its own, since the player's clock
# lies left of the board at row 9.
settle_a_x=118
settle_a_w=369
left_magnet_x=57

# A vertical strip through column 1 of the board, well inside it whatever the menu height.
strip_region=139,130,2,270

# ---- one run -------------------------------------------------------------------------------
declare -a bare_start_ms bare_rss_mb start_ms rss_mb idle_pct idle_main_pct latency_ms move_busy move_pct turn_busy turn_pct

# Presses the upper magnet through the watcher and waits for the board to settle. Prints
# "LATENCY_MS BUSY_MS CPU_PERCENT". Uses run_once's magnet_at, magnet_region, pid and settle.
press_upper_magnet() {
    local out
    out=$("$xwatch" press --at "$magnet_at" --region "$magnet_region" --timeout 5000 \
        --pid "$pid" --settle 1500 "${settle[@]}" 2>"$work/press.err") ||
        { cat "$work/press.err" >&2; fail "the press on the magnet showed nothing"; }
    echo "$(sed -n 's/^latency_ms=//p' <<<"$out")" \
        "$(sed -n 's/^busy_ms=\([0-9.]*\).*/\1/p' <<<"$out")" \
        "$(sed -n 's/.*cpu_percent=//p' <<<"$out")"
}

# The bare window: the time to its first frame on screen and its resident memory 1 s later, in
# the same way as the game's. Prints "START_MS RSS_MB".
bare_once() {
    # Likewise the game's window of the run before must be gone.
    for _ in $(seq 100); do
        xdotool search --name '^Quorvel$' >/dev/null 2>&1 || break
        sleep 0.05
    done
    sleep 0.3
    "$xwatch" launch --region "$strip_region" --min-wood 400 --timeout 15000 -- "$bare_window" \
        >"$work/bare.out" 2>"$work/bare.err"
    local status=$? pid
    pid=$(sed -n 's/^pid=//p' "$work/bare.out")
    program_pid=$pid
    ((status == 0)) || { cat "$work/bare.err" >&2; fail "the bare window did not appear"; }
    sleep 1
    local rss_kb
    rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    # Its window must be off the screen before the game starts, or the watcher would take the
    # bare window's colour, still shown, for the game's board.
    for _ in $(seq 100); do
        xdotool search --name '^Bare$' >/dev/null 2>&1 || break
        sleep 0.05
    done
    sleep 0.3
    program_pid=""
    echo "$(sed -n 's/^visible_ms=//p' "$work/bare.out")" \
        "$(awk -v k="$rss_kb" 'BEGIN { printf "%.1f", k / 1024 }')"
}

run_once() {
    local record=$1 out pid visible
    local bare_ms bare_mb
    out=$(bare_once) || exit 1
    read -r bare_ms bare_mb <<<"$out"

    # The program inherits the watcher's output: to a file, so nothing waits for it to end.
    "$xwatch" launch --region "$strip_region" --min-wood 400 --timeout 15000 -- "$program" \
        >"$work/launch.out" 2>"$work/launch.err"
    local status=$?
    pid=$(sed -n 's/^pid=//p' "$work/launch.out")
    program_pid=$pid
    ((status == 0)) || { cat "$work/launch.err" >&2; fail "the board did not appear"; }
    visible=$(sed -n 's/^visible_ms=//p' "$work/launch.out")
    local window
    window=$(visible_window '^Quorvel$' 100) || fail "no window named Quorvel"
    # Every position below assumes the window at the screen's corner, as Xvfb leaves it.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [[ $X == 0 && $Y == 0 ]] || fail "the window is at $X,$Y, not at 0,0"
    sleep 1
    local rss_kb
    rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")

    if [[ -z ${menu_height:-} ]]; then
        menu_height=$(find_menu_height)
        [[ -n $menu_height ]] || fail "could not find the board's top edge"
        menu_mid=$((menu_height / 2))
    fi
    local top=$menu_height
    local magnet_at="$magnet_x,$((top + 22))"
    local magnet_region="$magnet_region_x,$((top + 5)),29,35"
    local settle=(--settle-region "$settle_a_x,$((top + 2)),$settle_a_w,534"
        --settle-region "$left_magnet_x,$((top + 249)),33,41")

    # 対局 → 対局(人間) → スタート, and the "先手の番です" box closed.
    menu 20 Down Right Return
    close_box
    sleep 1
    local c0 c1 m0 m1
    c0=$(process_ns)
    m0=$(main_thread_ns)
    sleep 10
    c1=$(process_ns)
    m1=$(main_thread_ns)

    # The player's move: the upper magnet pulls every piece it can up the board.
    local lat1 busy1 pct1
    out=$(press_upper_magnet) || exit 1
    read -r lat1 busy1 pct1 <<<"$out"

    # 局面 → 最初, then 対局 → 対局(COM) → 先手, and a press on the same magnet: the player's move
    # and the computer's whole turn after it, thinking, blinks, pause and slide.
    menu 60 Down Return
    sleep 0.5
    menu 20 Down Down Right Return
    close_box
    sleep 0.5
    local lat2 busy2 pct2
    out=$(press_upper_magnet) || exit 1
    read -r lat2 busy2 pct2 <<<"$out"

    # Esc ends the program.
    window=$(visible_window '^Quorvel$' 100) || fail "the window went away"
    xdotool windowfocus --sync "$window" key Escape 2>/dev/null
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        echo "note: the program did not end on Esc" >&2
    fi
    program_pid=""

    [[ $record == yes ]] || return 0
    bare_start_ms+=("$bare_ms")
    bare_rss_mb+=("$bare_mb")
    start_ms+=("$visible")
    rss_mb+=("$(awk -v k="$rss_kb" 'BEGIN { printf "%.1f", k / 1024 }')")
    idle_pct+=("$(awk -v n=$((c1 - c0)) 'BEGIN { printf "%.2f", n / 1e9 / 10 * 100 }')")
    idle_main_pct+=("$(awk -v n=$((m1 - m0)) 'BEGIN { printf "%.2f", n / 1e9 / 10 * 100 }')")
    latency_ms+=("$lat1" "$lat2")
    move_busy+=("$busy1")
    move_pct+=("$pct1")
    turn_busy+=("$busy2")
    turn_pct+=("$pct2")
    printf 'run %d: bare window %s ms, %s MB; start %s ms, RSS %s MB, idle %s %% (main thread %s %%), press->pixels %s / %s ms, move %s ms at %s %%, move+computer turn %s ms at %s %%\n' \
        "$run" "$bare_ms" "$bare_mb" "$visible" "${rss_mb[-1]}" "${idle_pct[-1]}" "${idle_main_pct[-1]}" "$lat1" "$lat2" \
        "$busy1" "$pct1" "$busy2" "$pct2"
}

# ---- the runs --------------------------------------------------------------------------------
echo "Quorvel: $program"
echo "X server $DISPLAY (Xvfb 1024x768x24), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
# One run first that is not counted: it writes the default settings file (経過時間=ON, BGM=ON)
# that every counted run then starts with, and brings the program's files into the page cache.
run=0
run_once no
echo "menu bar height: $menu_height px; settings: $(tr -d '\r' <Quorvel.ini | iconv -f CP932 -t UTF-8 2>/dev/null | paste -sd' ')"
for run in $(seq "$runs"); do
    run_once yes
done

# ---- summary ---------------------------------------------------------------------------------
summary() {  # LABEL GOAL VALUES...
    local label=$1 goal=$2
    shift 2
    printf '%s\n' "$@" | sort -g | awk -v label="$label" -v goal="$goal" '
        { v[NR] = $1 }
        END {
            median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%-46s %9.2f %9.2f %9.2f   %s\n", label, v[1], median, v[NR], goal
        }'
}
echo
printf '%-46s %9s %9s %9s   %s\n' "figure ($runs runs)" min median max goal
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bare_median=$(median "${bare_start_ms[@]}")
start_limit=$(awk -v b="$bare_median" 'BEGIN { printf "%.1f", 1.3 * b }')
summary "bare Qt window with menu bar: start (ms)" "" "${bare_start_ms[@]}"
summary "bare Qt window with menu bar: VmRSS (MB)" "" "${bare_rss_mb[@]}"
summary "start to board on screen (ms)" "<= 1.3 x bare = $start_limit" "${start_ms[@]}"
summary "resident memory after start, VmRSS (MB)" "<= 42" "${rss_mb[@]}"
summary "CPU idle 10 s, game on, clock on (% core)" "< 0.3" "${idle_pct[@]}"
summary "  of it the main thread (% core)" "" "${idle_main_pct[@]}"
summary "press on magnet to changed pixels (ms)" "<= 16" "${latency_ms[@]}"
summary "player's move, length (ms)" "" "${move_busy[@]}"
summary "player's move, CPU (% core)" "" "${move_pct[@]}"
summary "move + computer turn, length (ms)" "" "${turn_busy[@]}"
summary "move + computer turn, CPU (% core)" "well < 100" "${turn_pct[@]}"
echo
awk -v g="$(median "${start_ms[@]}")" -v b="$bare_median" \
    'BEGIN { printf "start, game / bare window (medians): %.2f (goal <= 1.3)\n", g / b }'
awk -v g="$(median "${rss_mb[@]}")" -v b="$(median "${bare_rss_mb[@]}")" \
    'BEGIN { printf "resident memory, game - bare window (medians): %.1f MB\n", g - b }'
