#!/bin/bash
# End-to-end game records through the real menus and file dialogs on a virtual X server.
#
# Two humans play three moves (対局 → 対局(人間) → スタート); 棋譜 → 保存… saves the game through
# the file dialog; 棋譜 → 前へ shows the position after move 2 at once; スタート plays on from
# there with another move, which replaces move 3; 局面 → 待った takes it back; one more move, and
# the program is killed with SIGKILL. Started again, 対局 → 続きから brings back that game; then
# 棋譜 → 開く… asks first, since a game is in progress, and opens the saved record on its last
# position. A finished record opens on its last position with the win's red outlines and no
# box. With Quorvel.kifu made a folder, a new game's first move tells that the game cannot be
# saved, once: the second move shows no box. After every step the occupancy of the 81 squares
# read from the screen must be the expected one.
#
# usage: record_test.sh PROGRAM RUN_DIR
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
e2e_prepare "$@"

e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1

# expect_board NAME BOARD: polls the screen until the board reads BOARD.
expect_board() {
    local name=$1 want=$2 got=""
    board_is() { e2e_shot now.ppm; got=$(e2e_board_line now.ppm); [[ "$got" == "$want" ]]; }
    e2e_poll 10 board_is || e2e_fail "$name: expected $want on the board, saw $got"
    e2e_note "$name: board as expected"
}

# press DIRECTION BOARD_BEFORE: a move between two humans; sets board to the board after it.
press() {
    board=$(e2e_after "$2" "$1")
    e2e_press_magnet "$1"
    expect_board "move $1" "$board"
}

# open_menu INDEX COUNT: e2e_open_menu, trying the click again when the window was still
# taking the focus back from a dialog or an earlier menu and let it pass.
open_menu() {
    local try titles=()
    for try in 1 2 3; do
        sleep 0.3
        xdotool mousemove 620 $((menu + 570))
        sleep 0.2
        e2e_shot bar.ppm
        mapfile -t titles < <(e2e_menu_titles bar.ppm)
        ((${#titles[@]} == E2E_MENU_TITLES)) || continue
        menu_title_x=${titles[$1 - 1]}
        xdotool mousemove "$menu_title_x" $((menu / 2)) click 1
        e2e_wait_menu "$2" 3 && return 0
        [[ $(e2e_menu_count) == 0 ]] || e2e_close_menus
    done
    e2e_fail "menu-bar title $1 opened no menu of $2 items"
}

# record_item INDEX: 棋譜 menu item (開く…, 保存…, 先頭, 前へ, 次へ, 最後, 解析).
record_item() {
    open_menu 5 7
    e2e_click_item "$1"
}

# file_dialog TITLE NAME: types NAME into the file dialog titled TITLE, which opens on the
# game's folder, and accepts it. Return is sent again while the dialog stays open: the first one
# may only close the name completion's list.
file_dialog() {
    e2e_wait_box "$1" 15 || e2e_fail "no file dialog titled $1; windows: $(e2e_other_windows)"
    sleep 0.5
    xdotool windowfocus --sync "$box" type --delay 20 "$2"
    sleep 0.5
    local try
    for try in 1 2 3; do
        xdotool windowfocus --sync "$box" key Return 2>/dev/null
        e2e_poll 2 e2e_window_gone "$box" && break
    done
    e2e_window_gone "$box" || e2e_fail "the file dialog $1 did not close"
    sleep 0.5
}

start_two_humans() {
    open_menu 1 "$1"
    e2e_open_submenu 1 1
    e2e_click_item 1
    e2e_wait_box " " 10 || e2e_fail "スタート showed no box titled ' '; windows: $(e2e_other_windows)"
    e2e_close_box
}

e2e_start
e2e_note "window shown"
board=$E2E_FIRST_POSITION
start_two_humans 4
press up "$board"
press left "$board"
board2=$board
press down "$board"
board3=$board
move3_panel=$(e2e_hash now.ppm $(e2e_panel_rect))
grep -q '下' Quorvel.kifu || e2e_fail "Quorvel.kifu does not hold the third move after it"

record_item 2
file_dialog 保存 saved.kifu
e2e_poll 5 test -s saved.kifu || e2e_fail "saved.kifu was not written"
grep -q '^   3 ▲下' saved.kifu || e2e_fail "saved.kifu lacks move 3: $(cat saved.kifu)"
e2e_note "saved"

record_item 4
expect_board "前へ" "$board2"
e2e_shot now.ppm
[[ "$(e2e_hash now.ppm $(e2e_panel_rect))" != "$move3_panel" ]] ||
    e2e_fail "前へ left the move number at 3"

start_two_humans 5
board=$board2
press right "$board"
board3b=$board
[[ $(grep -c '^ *[0-9]* [▲△]' Quorvel.kifu) == 3 ]] || e2e_fail "the game on file has not 3 moves: $(cat Quorvel.kifu)"
grep -q '^   3 ▲右' Quorvel.kifu || e2e_fail "move 3 on file is not 右: $(cat Quorvel.kifu)"

open_menu 2 4                 # 局面: 最初, ヒント, 待った, 投了
e2e_click_item 3
expect_board "待った" "$board2"
board=$board2
press up "$board"
board_killed=$board
e2e_shot killed.ppm
killed_panel=$(e2e_hash killed.ppm $(e2e_panel_rect))

kill -9 "$pid"
wait "$pid" 2>/dev/null
e2e_note "killed"
e2e_start
[[ "$(e2e_board_line start.ppm)" == "$E2E_FIRST_POSITION" ]] || e2e_fail "start-up shows a game"
open_menu 1 5
e2e_click_item 4
expect_board "続きから" "$board_killed"
[[ "$(e2e_hash now.ppm $(e2e_panel_rect))" == "$killed_panel" ]] ||
    e2e_fail "続きから shows another move number"
press left "$board_killed"

record_item 1
e2e_wait_box 棋譜 10 || e2e_fail "開く… during a game asked nothing; windows: $(e2e_other_windows)"
e2e_close_box
file_dialog 開く saved.kifu
expect_board "開く…" "$board3"
record_item 3
expect_board "先頭" "$E2E_FIRST_POSITION"
[[ -z "$(e2e_boxes)" ]] || e2e_fail "a box is open: $(e2e_boxes)"

# Two humans: 上 下 左 上, and 後手 has won.
printf '%s\n' '#Quorvel 棋譜' '対局：対局(人間) スタート' '手数----指手----消費時間--' \
    '   1 ▲上' '   2 △下' '   3 ▲左' '   4 △上' 'まで4手で後手の勝ち' >won.kifu
won=$E2E_FIRST_POSITION
for direction in up down left up; do won=$(e2e_after "$won" "$direction"); done
record_item 1
file_dialog 開く won.kifu
expect_board "開く… a finished game" "$won"
e2e_shot won.ppm
(($(e2e_red won.ppm) > 0)) || e2e_fail "the finished game shows no red outlines"
[[ -z "$(e2e_boxes)" ]] || e2e_fail "a box is open: $(e2e_boxes)"
e2e_note "finished record shown"

rm -f Quorvel.kifu
mkdir Quorvel.kifu
start_two_humans 5
board=$(e2e_after "$E2E_FIRST_POSITION" up)
e2e_press_magnet up
e2e_wait_box 棋譜 10 || e2e_fail "an unwritable game in progress was not told"
e2e_close_box
expect_board "move up, unsaved" "$board"
press down "$board"
sleep 1
[[ -z "$(e2e_boxes)" ]] || e2e_fail "a second failed write was told again: $(e2e_boxes)"
e2e_note "unwritable game in progress told once"
e2e_quit
e2e_note "done"
INNER
