#!/bin/bash
# End-to-end test of 練習 → 詰め問題… on a virtual X server.
#
# The working folder holds a puzzle file of two puzzles; the first is reached by 上 下 左 from the
# first position, and 後手 wins there at once with 上 (found by the game tests' own search).
# 練習 → 詰め問題… puts that position on the board with the panel beside it; a press on the upper
# magnet wins (box 終了), and the settings file gains the line 詰め問題=1 after its four lines.
#
# usage: puzzle_test.sh PROGRAM RUN_DIR
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).
# With QUORVEL_E2E_SHOTS set to a folder, the screenshots of the main moments are kept there.

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
e2e_prepare "$@"

e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1

printf 'first\t上 下 左\t1\nsecond\t右 上 下 右 左\t2\n' >puzzles.txt

e2e_start
e2e_note "window shown"
puzzle_board=$E2E_FIRST_POSITION
for d in up down left; do puzzle_board=$(e2e_after "$puzzle_board" "$d"); done

e2e_open_menu 6 1            # 練習: 詰め問題…
e2e_click_item 1
on_puzzle() {
    e2e_shot now.ppm
    [[ "$(e2e_board_line now.ppm)" == "$puzzle_board" ]]
}
e2e_poll 10 on_puzzle ||
    e2e_fail "詰め問題… should show the puzzle $puzzle_board, the board is $(e2e_board_line now.ppm)"
e2e_keep now.ppm puzzle-open
e2e_note "the first puzzle is on the board"

e2e_press_magnet up
e2e_wait_box "終了" 20 || e2e_fail "the winning press showed no box 終了; windows: $(e2e_other_windows)"
e2e_shot now.ppm
e2e_keep now.ppm puzzle-solved
e2e_close_box
e2e_settings_read 背景画=緑 移動指導=OFF 経過時間=ON BGM=ON 詰め問題=1
e2e_note "solved and counted"
e2e_shot now.ppm
e2e_keep now.ppm puzzle-counted
e2e_quit
echo "PASS"
INNER
