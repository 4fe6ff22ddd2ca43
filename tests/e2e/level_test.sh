#!/bin/bash
# End-to-end test of the computer's levels and the hint through the real menus on a virtual X
# server.
#
# Started without a settings file, ｵﾌﾟｼｮﾝ → 強さ shows 入門 checked; choosing 上級 moves the
# mark and adds the line 強さ=上級 after the four default lines of Quorvel.ini. A game against
# the computer (先手) is played at 上級: 局面 → ヒント and Ctrl+H blink one magnet, the same one
# both times, and change neither the board nor the move number; a press on that magnet plays it
# and the computer answers with its thinking label, a magnet's slide and no message box; a
# second hint and move follow; 局面 → 待った then takes back 上級's reply and the move before it,
# showing the board and move number of the end of the first round. After a restart 上級 is
# still checked.
#
# usage: level_test.sh PROGRAM RUN_DIR [XWATCH]
# XWATCH (bench/xwatch.cpp) reads the magnets fast enough to see a blink; without it the
# hint is only checked to change nothing.
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).
# With QUORVEL_E2E_SHOTS set to a folder, the screenshots of the main moments are kept there.

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
QUORVEL_XWATCH=""
[[ -n "${3:-}" && -x "${3:-}" ]] && QUORVEL_XWATCH=$(realpath "$3")
export QUORVEL_XWATCH
e2e_prepare "$1" "$2"

e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1

defaults=(背景画=緑 移動指導=OFF 経過時間=ON BGM=ON)

# expect_marks WANT WHAT: the menu found last shows check marks WANT (a word of 0 and 1).
expect_marks() {
    [[ "$(e2e_marks)" == "$1" ]] || e2e_fail "$2: expected the check marks $1 (1 = checked, top item first), saw $(e2e_marks)"
}

open_levels() {
    e2e_open_menu 3 7        # ｵﾌﾟｼｮﾝ: 背景画, 移動指導, 経過時間, BGM, 強さ, 言語 / Language, 千日手
    e2e_open_submenu 5 4     # 強さ: 入門, 初級, 中級, 上級
}

# The middle of each magnet's cell, in the order left, right, up, down, as X,Y,W,H.
magnet_regions() {
    echo "63,$((menu + 254)),21,29 459,$((menu + 254)),21,29 261,$((menu + 8)),21,29 261,$((menu + 501)),21,29"
}
magnet_names=(left right up down)

# hint COMMAND...: runs COMMAND (a way of asking for the hint) and sets hinted to the magnet
# that blinked: two blinks are four changes of its cell while the other three cells stay as they
# are. Without xwatch hinted stays empty.
hint() {
    hinted=""
    if [[ -z "$QUORVEL_XWATCH" ]]; then
        "$@"
        sleep 3
        return 0
    fi
    local args=() region
    for region in $(magnet_regions); do args+=(--region "$region"); done
    "$QUORVEL_XWATCH" changes "${args[@]}" --for 30000 --settle 1000 >watch.out 2>&1 &
    local watcher=$!
    ready() { grep -qx ready watch.out; }
    e2e_poll 10 ready || e2e_fail "xwatch did not start: $(cat watch.out)"
    "$@"
    wait "$watcher" || e2e_fail "xwatch failed: $(cat watch.out)"
    local counts
    mapfile -t counts < <(sed -n 's/^changes=//p' watch.out)
    local i
    for i in 0 1 2 3; do
        case ${counts[i]} in
            0) ;;
            4) [[ -z "$hinted" ]] || e2e_fail "two magnets blinked for one hint (changes ${counts[*]})"
               hinted=${magnet_names[i]} ;;
            *) e2e_fail "the hint changed the ${magnet_names[i]} magnet ${counts[i]} times, not the 4 of two blinks (changes ${counts[*]})" ;;
        esac
    done
    [[ -n "$hinted" ]] || e2e_fail "no magnet blinked for the hint"
}

hint_by_menu() {
    e2e_open_menu 2 4        # 局面: 最初, ヒント, 待った, 投了
    e2e_click_item 2
}
hint_by_key() {
    xdotool windowfocus --sync "$window" key ctrl+h 2>/dev/null
}

# unchanged BOARD PANEL WHAT: the board and the move number are still as they were.
unchanged() {
    e2e_shot now.ppm
    [[ "$(e2e_board_line now.ppm)" == "$1" ]] || e2e_fail "$3 changed the board: $(e2e_board_line now.ppm)"
    [[ "$(e2e_hash now.ppm $(e2e_panel_rect))" == "$2" ]] || e2e_fail "$3 changed the move number"
    [[ -z "$(e2e_boxes)" ]] || e2e_fail "$3 showed a message box: $(e2e_boxes)"
}

# same_pieces A B: the boards hold the same pieces, wherever the prince stands.
same_pieces() { [[ "${1//P/.}" == "${2//P/.}" ]]; }

# ---- 強さ ---------------------------------------------------------------------------------------

e2e_start
e2e_note "window shown"
e2e_settings_read "${defaults[@]}"
label_empty=$(e2e_hash start.ppm $(e2e_label_rect))
panel_empty=$(e2e_hash start.ppm $(e2e_panel_rect))

open_levels
expect_marks 1000 "強さ with the defaults"
e2e_click_item 4             # 上級
e2e_settings_read "${defaults[@]}" 強さ=上級
open_levels
expect_marks 0001 "強さ after choosing 上級"
e2e_close_menus
e2e_note "上級 chosen and saved"

# ---- a game at 上級 with hints --------------------------------------------------------------------

e2e_open_menu 1 4            # 対局: 対局(人間), 対局(COM), 終わり, 対局(ネット)
e2e_open_submenu 2 2         # 対局(COM): 先手, 後手
e2e_click_item 1             # 先手
e2e_wait_box " " 10 || e2e_fail "先手 showed no box titled ' ' (MANの番です); windows: $(e2e_other_windows)"
e2e_close_box

board=$E2E_FIRST_POSITION
panel=$panel_empty
for round in 1 2; do
    hint hint_by_menu
    by_menu=$hinted
    unchanged "$board" "$panel" "the hint (局面 → ヒント)"
    hint hint_by_key
    by_key=$hinted
    unchanged "$board" "$panel" "the hint (Ctrl+H)"
    [[ "$by_menu" == "$by_key" ]] ||
        e2e_fail "round $round: the menu's hint blinked $by_menu, Ctrl+H $by_key in the same position"
    e2e_keep now.ppm "after-hint-$round"
    e2e_note "round $round: the hint blinks ${by_menu:-(not watched)}"

    press=${by_menu:-up}
    expected=$(e2e_after "$board" "$press")
    e2e_press_magnet "$press"
    e2e_wait_for_computer "$panel" 60
    same_pieces "$thinking_board" "$expected" ||
        e2e_fail "round $round: the press on $press should show $expected while the computer thinks; saw $thinking_board"
    reply=""
    for d in left right up down; do
        [[ "$(e2e_after "$expected" "$d")" == "$(e2e_board_line now.ppm)" ]] && reply=$d
    done
    [[ -n "$reply" ]] || e2e_fail "round $round: the board after the computer's reply is no magnet's result: $(e2e_board_line now.ppm)"
    board=$(e2e_board_line now.ppm)
    panel=$(e2e_hash now.ppm $(e2e_panel_rect))
    e2e_note "round $round: pressed $press, 上級 replied toward $reply"
    if [[ $round == 1 ]]; then
        board_after_one=$board
        panel_after_one=$panel
    fi
done
e2e_keep now.ppm after-two-rounds

# 待った through the menu takes back 上級's reply and the player's move before it.
e2e_open_menu 2 4            # 局面: 最初, ヒント, 待った, 投了
e2e_click_item 3
shows_board() { e2e_shot now.ppm && [[ "$(e2e_board_line now.ppm)" == "$1" ]]; }
e2e_poll 10 shows_board "$board_after_one" || true
unchanged "$board_after_one" "$panel_after_one" "待った (it should show the position after round 1)"
e2e_note "待った took back round 2"
e2e_quit

# ---- the level after a restart ---------------------------------------------------------------------

e2e_start
open_levels
expect_marks 0001 "強さ after a restart"
e2e_close_menus
e2e_settings_read "${defaults[@]}" 強さ=上級
e2e_quit
e2e_note PASS
INNER
