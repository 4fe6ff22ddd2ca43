#!/bin/bash
# End-to-end test of the real program on a virtual X server: the window appears at its size,
# the board is drawn where it belongs, a press on the board reaches the game, and Esc ends the
# program cleanly.
#
# usage: window_test.sh PROGRAM RUN_DIR
#   PROGRAM  the quorvel executable
#   RUN_DIR  the folder holding the generated sound files
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).

set -u

program=$(realpath "${1:?program}") || exit 1
run_dir=$(realpath "${2:?run folder}") || exit 1

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed"
    exit 77
fi
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-e2e-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"

# The program opens its sound files by bare name from the current folder.
sounds=(駒打音.wav 磁石音.wav 禁止.wav その他.wav BGM.wav)
for sound in "${sounds[@]}"; do
    if [[ ! -f "$run_dir/$sound" ]]; then
        echo "FAIL: $run_dir/$sound is missing (build the quorvel_sounds target)"
        exit 1
    fi
    cp "$run_dir/$sound" "$work/"
done

export QUORVEL_PROGRAM=$program QUORVEL_WORK=$work
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_QPA_PLATFORM

# Everything that needs the X server runs inside it.
xvfb-run -a -s "-screen 0 1024x768x24" bash <<'INNER'
set -u
cd "$QUORVEL_WORK" || exit 1
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null; exit 1; }

"$QUORVEL_PROGRAM" >program.log 2>&1 &
pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1)
    [[ -n "$window" ]] && break
    kill -0 "$pid" 2>/dev/null || { cat program.log; fail "the program ended before showing its window"; }
    sleep 0.1
done
[[ -n "$window" ]] || fail "no window named Quorvel appeared"
sleep 1  # let the first paint land

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WINDOW at $X,$Y size ${WIDTH}x$HEIGHT"
[[ "$WIDTH" == 633 && "$HEIGHT" == 600 ]] || fail "window is ${WIDTH}x$HEIGHT, expected 633x600"
[[ "$X" == 0 && "$Y" == 0 ]] || fail "window is at $X,$Y, expected 0,0"

import -window root screen.png || fail "screenshot failed"
convert screen.png -crop 633x600+0+0 +repage -depth 8 txt:- >pixels.txt || fail "reading pixels failed"

# The board: 9 x 9 squares of 33 x 41 logical pixels from (123, 84.33) below the menu bar,
# outlined in palette colour 2 = (0,128,0), every square of wood colour inside its outline.
awk '
    NR > 1 { split($1, at, ","); sub(":", "", at[2]); colour[at[1] "," at[2]] = $2 }
    function green(x, y) { return colour[x "," y] == "(0,128,0)" }
    function wood(x, y,   rgb) {
        split(substr(colour[x "," y], 2), rgb, "[,)]")
        return rgb[1] >= 150 && rgb[1] > rgb[2] && rgb[2] > rgb[3]
    }
    END {
        # The top edge of the board is the first row green from x = 123 to 420.
        top = -1
        for (y = 0; y < 600 && top < 0; ++y) {
            line = 1
            for (x = 123; x <= 420 && line; ++x) line = green(x, y)
            if (line) top = y
        }
        if (top < 0) { print "FAIL: no board top edge found"; exit 1 }
        menu = top - 84
        print "board top edge at row " top " (menu bar " menu " pixels)"
        if (menu < 10 || menu > 50) { print "FAIL: implausible menu bar height " menu; exit 1 }
        bad = 0
        for (k = 0; k <= 9; ++k) {
            for (y = top; y <= top + 369; ++y) if (!green(123 + 33 * k, y)) ++bad
            for (x = 123; x <= 420; ++x) if (!green(x, top + 41 * k)) ++bad
        }
        if (bad) { print "FAIL: " bad " grid line pixels are not (0,128,0)"; exit 1 }
        for (j = 0; j < 9; ++j) {
            for (k = 0; k < 9; ++k) {
                x = 123 + 33 * k; y = top + 41 * j
                if (!wood(x + 2, y + 2) || !wood(x + 30, y + 2)) {
                    print "FAIL: square " k + 1 "," j + 1 " is not wood: " colour[(x + 2) "," (y + 2)]
                    exit 1
                }
            }
        }
        # Outside the board lies the background, not wood and not the grid colour.
        if (wood(20, top + 100) || green(20, top + 100)) {
            print "FAIL: background expected at 20," top + 100 ": " colour["20," (top + 100)]; exit 1
        }
        print "menu " menu > "layout.txt"
    }
' pixels.txt || fail "board check"
menu=$(awk '{ print $2 }' layout.txt)

# A press on the down magnet before any game asks for one to be started, in a modal box.
xdotool mousemove 272 $((menu + 515)) click 1
box=""
for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --name '^開始$' 2>/dev/null | head -1)
    [[ -n "$box" ]] && break
    sleep 0.1
done
[[ -n "$box" ]] || fail "a press on the magnet showed no message box"
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^開始$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^開始$' >/dev/null 2>&1 && fail "the message box did not close"

# Esc ends the program.
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program still runs after Esc"
wait "$pid"
status=$?
[[ $status == 0 ]] || { cat program.log; fail "the program exited with status $status"; }
[[ -f Quorvel.ini ]] || fail "no Quorvel.ini in the working folder"
echo "PASS"
INNER
