#!/bin/bash
# End-to-end test of the ｵﾌﾟｼｮﾝ menu and Quorvel.ini on a virtual X server.
#
# Started without a settings file, the program writes the 46 bytes of the defaults (CP932,
# CR LF). ｵﾌﾟｼｮﾝ → 背景画 → 宇宙 turns the background to deep space and saves it; 経過時間 and
# BGM toggle their marks and their lines; 移動指導 keeps its mark and its line. The menu's check
# marks show every change. After Esc and a new start the space background is there at once, the
# marks come back from the file, and neither quitting nor starting changes the file.
#
# usage: options_test.sh PROGRAM RUN_DIR
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

[[ ! -e Quorvel.ini ]] || e2e_fail "the working folder already holds a Quorvel.ini"


# The background's mean colours "R G B", left of the board and below right of it, one a line.
background_means() {
    e2e_mean "$1" 5 $((menu + 25)) 110 200
    e2e_mean "$1" 300 $((menu + 470)) 320 100
}
seen_means() { background_means "$1" | paste -sd/; }
# Green baize: green well above red and blue.
is_green() {
    local r g b
    while read -r r g b; do
        ((g > r + 20 && g > b + 20)) || return 1
    done < <(background_means "$1")
}
# Deep space: dark, and blue at least as strong as red and green.
is_space() {
    local r g b
    while read -r r g b; do
        ((r + g + b < 180 && b >= r && b >= g)) || return 1
    done < <(background_means "$1")
}

# How many clocks are drawn: a clock's cells show exactly the pixels of the cells below them
# when no clock is drawn there.
clocks_shown() {
    local shot=$1 shown=0
    [[ "$(e2e_hash "$shot" $(e2e_right_clock_rect))" != "$(e2e_hash "$shot" $(e2e_below_right_clock_rect))" ]] && ((shown += 1))
    [[ "$(e2e_hash "$shot" $(e2e_left_clock_rect))" != "$(e2e_hash "$shot" $(e2e_below_left_clock_rect))" ]] && ((shown += 1))
    echo "$shown"
}

# expect_marks WANT WHAT: the menu found last shows check marks WANT (a word of 0 and 1).
expect_marks() {
    local seen
    seen=$(e2e_marks)
    [[ "$seen" == "$1" ]] || e2e_fail "$2: expected the check marks $1 (1 = checked, top item first), saw $seen"
}

# ---- first start: the defaults --------------------------------------------------------------

e2e_start
[[ -f Quorvel.ini ]] || e2e_fail "no Quorvel.ini was written at the first start"
size=$(stat -c %s Quorvel.ini)
((size == 46)) || e2e_fail "Quorvel.ini holds $size bytes, expected the 46 of the defaults"
defaults="94 77 8c 69 89 e6 3d 97 ce 0d 0a 88 da 93 ae 8e 77 93 b1 3d 4f 46 46 0d 0a 8c 6f 89 df 8e 9e 8a d4 3d 4f 4e 0d 0a 42 47 4d 3d 4f 4e 0d 0a"
bytes=$(od -An -tx1 -v Quorvel.ini | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
[[ "$bytes" == "$defaults" ]] || e2e_fail "Quorvel.ini should hold the default bytes $defaults; it holds $bytes"
e2e_settings_read 背景画=緑 移動指導=OFF 経過時間=ON BGM=ON
e2e_note "first start wrote the defaults"
is_green start.ppm || e2e_fail "the default background (緑) should be green; mean colours $(seen_means start.ppm)"
[[ "$(clocks_shown start.ppm)" == 2 ]] || e2e_fail "with 経過時間 on, both clocks should be shown at the start"

# ---- 背景画 → 宇宙 ------------------------------------------------------------------------------

e2e_open_menu 3 7            # ｵﾌﾟｼｮﾝ: 背景画, 移動指導, 経過時間, BGM, 強さ, 言語 / Language, 千日手
expect_marks 0011000 "ｵﾌﾟｼｮﾝ with the defaults"
e2e_open_submenu 1 5         # 背景画: 緑, 畳, 竹, 宇宙, 煉瓦
expect_marks 10000 "背景画 with the defaults"
e2e_click_item 4             # 宇宙
space_now() { e2e_shot now.ppm; is_space now.ppm; }
e2e_poll 10 space_now || e2e_fail "宇宙 did not turn the background to dark blue within 10 s; mean colours $(seen_means now.ppm)"
e2e_settings_read 背景画=宇宙 移動指導=OFF 経過時間=ON BGM=ON
[[ "$(iconv -f CP932 -t UTF-8 Quorvel.ini | head -1 | tr -d '\r')" == 背景画=宇宙 ]] ||
    e2e_fail "the first line of Quorvel.ini does not read 背景画=宇宙 through CP932"
[[ "$(e2e_board_line now.ppm)" == "$E2E_FIRST_POSITION" ]] || e2e_fail "the board changed with the background: $(e2e_board_line now.ppm)"
[[ "$(clocks_shown now.ppm)" == 2 ]] || e2e_fail "the clocks should be drawn again over the new background"
e2e_keep now.ppm space
e2e_note "背景画 → 宇宙 shown and saved"

# ---- 経過時間 off ----------------------------------------------------------------------------------

e2e_open_menu 3 7
expect_marks 0011000 "ｵﾌﾟｼｮﾝ after 宇宙"
e2e_open_submenu 1 5
expect_marks 00010 "背景画 after 宇宙"
# A click on the parent menu's 経過時間 while the submenu is open.
xdotool mousemove "$parent_x" "${parent_rows[2]% *}" click 1
clocks_gone() { e2e_shot now.ppm; [[ "$(clocks_shown now.ppm)" == 0 ]]; }
e2e_poll 10 clocks_gone || e2e_fail "経過時間 off: the clocks are still drawn after 10 s"
e2e_settings_read 背景画=宇宙 移動指導=OFF 経過時間=OFF BGM=ON
e2e_note "経過時間 off: clocks erased, saved"

# ---- 移動指導 keeps its mark ---------------------------------------------------------------------

e2e_open_menu 3 7
expect_marks 0001000 "ｵﾌﾟｼｮﾝ after 経過時間 off"
cp Quorvel.ini before-sidou.ini
e2e_click_item 2             # 移動指導
e2e_open_menu 3 7
expect_marks 0001000 "ｵﾌﾟｼｮﾝ after a click on 移動指導"
cmp -s before-sidou.ini Quorvel.ini || e2e_fail "a click on 移動指導 changed Quorvel.ini"

# ---- BGM off and on again ------------------------------------------------------------------------

e2e_click_item 4             # BGM off
e2e_settings_read 背景画=宇宙 移動指導=OFF 経過時間=OFF BGM=OFF
e2e_open_menu 3 7
expect_marks 0000000 "ｵﾌﾟｼｮﾝ after BGM off"
e2e_click_item 4             # BGM on
e2e_settings_read 背景画=宇宙 移動指導=OFF 経過時間=OFF BGM=ON
e2e_open_menu 3 7
expect_marks 0001000 "ｵﾌﾟｼｮﾝ after BGM on"
e2e_note "移動指導 unchanged, BGM off and on saved"
e2e_close_menus

cp Quorvel.ini saved.ini
e2e_quit
cmp -s saved.ini Quorvel.ini || e2e_fail "quitting changed Quorvel.ini"

# ---- second start: everything comes back from the file -----------------------------------------

e2e_start
e2e_keep start.ppm space-after-restart
e2e_note "restarted"
is_space start.ppm || e2e_fail "after a restart the first picture should have the space background; mean colours $(seen_means start.ppm)"
[[ "$(clocks_shown start.ppm)" == 0 ]] || e2e_fail "after a restart with 経過時間 off no clock should be drawn"
[[ "$(e2e_board_line start.ppm)" == "$E2E_FIRST_POSITION" ]] || e2e_fail "after a restart the first position is not on the board"
cmp -s saved.ini Quorvel.ini || e2e_fail "starting the program changed Quorvel.ini"
e2e_open_menu 3 7
expect_marks 0001000 "ｵﾌﾟｼｮﾝ after a restart"
e2e_open_submenu 1 5
expect_marks 00010 "背景画 after a restart"
e2e_close_menus
e2e_quit
cmp -s saved.ini Quorvel.ini || e2e_fail "the second run changed Quorvel.ini"
e2e_note PASS
INNER
