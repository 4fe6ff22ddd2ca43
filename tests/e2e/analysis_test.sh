#!/bin/bash
# End-to-end 棋譜 → 解析 on a virtual X server: a short record of two humans is opened through
# 棋譜 → 開く…, 解析 opens its window beside the game, the graph is drawn once the window rests,
# and a click on the graph's seventh point (the position after six moves) steps the board there.
# With QUORVEL_E2E_SHOTS set, the analysis window is kept before and after the click.
#
# usage: analysis_test.sh PROGRAM RUN_DIR
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
e2e_prepare "$@"

e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1

# Two humans: 右 上 右 右 右 下 左 右; 先手 wins with the last move.
directions=(right up right right right down left right)
printf '%s\n' '#Quorvel 棋譜' '対局：対局(人間) スタート' '手数----指手----消費時間--' \
    '   1 ▲右' '   2 △上' '   3 ▲右' '   4 △右' '   5 ▲右' '   6 △下' '   7 ▲左' '   8 △右' \
    'まで8手で先手の勝ち' >short.kifu

# analysis_shot [NAME]: the analysis window's pixels into analysis.ppm, kept as NAME.png.
analysis_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$analysis")"
    e2e_shot whole.ppm
    convert whole.ppm -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage analysis.ppm
    if [[ -n "${QUORVEL_E2E_SHOTS:-}" && -n "${1:-}" ]]; then
        mkdir -p "$QUORVEL_E2E_SHOTS"
        convert analysis.ppm "$QUORVEL_E2E_SHOTS/$1.png"
    fi
}
# The window rests: two shots a second apart are equal.
rests() {
    analysis_shot
    local before
    before=$(md5sum <analysis.ppm)
    sleep 1
    analysis_shot
    [[ "$(md5sum <analysis.ppm)" == "$before" ]]
}
# The columns of the plot's top band (its pale red), as "LEFT RIGHT" in the window.
band_columns() {
    e2e_pixels analysis.ppm 0 0 "$(identify -format %w analysis.ppm)" "$(identify -format %h analysis.ppm)" |
        awk '$3 == 255 && $4 == 228 && $5 == 220 { if (!n++ || $1 < l) l = $1; if ($1 > r) r = $1; if (!y) y = $2 }
             END { if (n) print l, r, y }'
}

e2e_start
e2e_open_menu 5 7
e2e_click_item 1
e2e_wait_box 開く 15 || e2e_fail "棋譜 → 開く… showed no file dialog; windows: $(e2e_other_windows)"
sleep 0.5
xdotool windowfocus --sync "$box" type --delay 20 short.kifu
for try in 1 2 3; do
    xdotool windowfocus --sync "$box" key Return 2>/dev/null
    e2e_poll 2 e2e_window_gone "$box" && break
done
e2e_window_gone "$box" || e2e_fail "the file dialog did not close"
sleep 0.5

e2e_open_menu 5 7
e2e_click_item 7
e2e_wait_box "解析 - Quorvel" 15 || e2e_fail "解析 opened no window; windows: $(e2e_other_windows)"
analysis=$box
e2e_poll 60 rests || e2e_fail "the analysis window kept changing for 60 s"
analysis_shot analysis-ja-x1
read -r left right band_y < <(band_columns)
[[ -n "${band_y:-}" ]] || e2e_fail "the graph shows no band of proved wins"
e2e_note "graph drawn, plot from $left to $right"

eval "$(xdotool getwindowgeometry --shell "$analysis")"
xdotool mousemove $((X + left + (right - left) * 6 / 8)) $((Y + band_y + 40)) click 1
board=$E2E_FIRST_POSITION
for direction in "${directions[@]:0:6}"; do board=$(e2e_after "$board" "$direction"); done
board_is() { e2e_shot now.ppm; [[ "$(e2e_board_line now.ppm)" == "$board" ]]; }
e2e_poll 10 board_is || e2e_fail "a click on the seventh point did not show the position after six moves"
e2e_poll 10 rests
analysis_shot analysis-ja-x1-stepped
[[ -z "$(e2e_boxes | grep -v "解析 - Quorvel")" ]] || e2e_fail "a box is open: $(e2e_boxes)"
e2e_note "stepped to move 6"
e2e_quit
e2e_note "done"
INNER
