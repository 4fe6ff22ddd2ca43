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
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
e2e_prepare "$@"

# Everything that needs the X server runs inside it.
e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1
fail() { e2e_fail "$@"; }

# Waits for the window and for the board's first paint.
e2e_start

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WINDOW at $X,$Y size ${WIDTH}x$HEIGHT"
[[ "$WIDTH" == 633 && "$HEIGHT" == 600 ]] || fail "window is ${WIDTH}x$HEIGHT, expected 633x600"
[[ "$X" == 0 && "$Y" == 0 ]] || fail "window is at $X,$Y, expected 0,0"

e2e_shot screen.png
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
e2e_press_magnet down
e2e_wait_box 開始 5 || fail "a press on the magnet showed no message box"
e2e_close_box

# Esc ends the program.
e2e_quit
[[ -f Quorvel.ini ]] || fail "no Quorvel.ini in the working folder"
echo "PASS"
INNER
