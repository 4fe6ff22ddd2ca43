#!/bin/bash
# CPU of waiting games, several builds side by side: each program runs on its own virtual X
# server in its own folder (the default settings: clock and music on), a 対局(人間) game is
# started in each, and then the run time of every program's threads (/proc/PID/task/*/schedstat)
# is read over the same stretches of time. On a machine shared with other jobs the idle figure
# moves with their load far more than with a change to the program; measured at the same moment,
# two builds see the same load, so their difference shows.
#
# usage: bench/idle_side_by_side.sh [-r rounds] [-s seconds] PROGRAM...   (5 rounds of 10 s)
#
# Each PROGRAM is a built quorvel; the sound files are taken from its folder. The same program
# may be given twice to see how far two runs of one build differ. Needs Xvfb, xdotool and
# ImageMagick's import, as bench/measure_performance.sh.

set -u
# shellcheck source=private_xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/private_xvfb.sh"

rounds=5
seconds=10
while getopts "r:s:" option; do
    case $option in
        r) rounds=$OPTARG ;;
        s) seconds=$OPTARG ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if (($# == 0)) || ! [[ $rounds =~ ^[1-9][0-9]*$ && $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [-r rounds] [-s seconds] PROGRAM..." >&2
    exit 2
fi
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-idle-XXXXXX") || exit 1
declare -a pids xvfbs
cleanup() {
    local p
    for p in "${pids[@]}" "${xvfbs[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Starts program $2 as number $1 and a 対局(人間) game in it; sets pids[$1].
start_one() {
    local n=$1 program=$2 folder=$work/$1
    mkdir -p "$folder"
    cp "$(dirname "$program")"/*.wav "$folder/" || return 1
    start_private_xvfb "$folder" || return 1
    xvfbs[n]=$xvfb_pid
    local display=$xvfb_display
    (cd "$folder" && DISPLAY=$display SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$folder \
        QT_QPA_PLATFORM=xcb exec "$program" >"$folder/log" 2>&1) &
    pids[n]=$!
    export DISPLAY=$display
    visible_window '^Quorvel$' 200 >/dev/null || { echo "program $n: no window" >&2; return 1; }
    sleep 1
    # The menu bar's height: the board's top grid line lies 84 pixels below it, and the first
    # row that is green (0,128,0) all along x = 123..420 is that line.
    import -window root -crop 298x140+123+0 +repage -depth 8 "$folder/top.txt" 2>/dev/null
    local top
    top=$(awk 'NR > 1 { split($1, at, ","); sub(":", "", at[2]); if ($2 != "(0,128,0)") bad[at[2]] = 1;
                        seen[at[2]] = 1 }
               END { for (y = 0; y < 140; ++y) if (seen[y] && !bad[y]) { print y - 84; exit } }' \
        "$folder/top.txt")
    [[ -n $top ]] || { echo "program $n: board not found" >&2; return 1; }
    xdotool mousemove 20 $((top / 2)) click 1
    sleep 0.3
    local key
    for key in Down Right Return; do
        xdotool key "$key"
        sleep 0.15
    done
    local box
    box=$(visible_window '^ $' 100) || { echo "program $n: no message box" >&2; return 1; }
    xdotool windowfocus --sync "$box" key Return
    xdotool mousemove 1000 700
}

all_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
main_ns() { cut -d' ' -f1 "/proc/$1/task/$1/schedstat"; }

n=0
for program in "$@"; do
    start_one "$n" "$(realpath "$program")" || exit 1
    n=$((n + 1))
done
sleep 1

echo "load average $(cut -d' ' -f1-3 /proc/loadavg); $rounds rounds of $seconds s"
declare -a total_pct main_pct
for round in $(seq "$rounds"); do
    declare -a t0 m0
    for i in "${!pids[@]}"; do
        t0[i]=$(all_ns "${pids[i]}")
        m0[i]=$(main_ns "${pids[i]}")
    done
    sleep "$seconds"
    line="round $round:"
    for i in "${!pids[@]}"; do
        t=$(all_ns "${pids[i]}")
        m=$(main_ns "${pids[i]}")
        tp=$(awk -v n=$((t - t0[i])) -v s="$seconds" 'BEGIN { printf "%.3f", n / 1e7 / s }')
        mp=$(awk -v n=$((m - m0[i])) -v s="$seconds" 'BEGIN { printf "%.3f", n / 1e7 / s }')
        total_pct[i]+=" $tp"
        main_pct[i]+=" $mp"
        line+="  [$i] $tp % ($mp %)"
    done
    echo "$line"
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
echo "median % of a core over the rounds: whole program (main thread)"
i=0
for program in "$@"; do
    echo "  [$i] $(median <<<"${total_pct[i]}") ($(median <<<"${main_pct[i]}"))  $program"
    i=$((i + 1))
done
