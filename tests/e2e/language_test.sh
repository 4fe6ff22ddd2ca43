#!/bin/bash
# End-to-end test of English, keyboard play and the help window on a virtual X server.
#
# ｵﾌﾟｼｮﾝ → 言語 / Language → English turns the menus and the game's boxes to English and adds
# the line 言語=English after the four of Quorvel.ini. Ctrl+N starts a game between two players;
# the arrow keys then play moves exactly as clicks on the magnets do. F1 opens the help window
# beside the game, and play goes on while it is open. 言語 / Language → 日本語 turns everything
# back, the help window included, and rewrites the line. The English menu bar is the bar of a
# program started in English, and after a menu closed with Esc the next Esc ends the program.
# The help window is also opened at a device pixel ratio of 2.
#
# usage: language_test.sh PROGRAM RUN_DIR
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).
# With QUORVEL_E2E_SHOTS set to a folder, the screenshots of the main moments are kept there.

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
e2e_prepare "$@"

# A screen wide enough for the game and the help window side by side.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1600x1000x24" bash <<'INNER' || exit $?
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1

# window_named NAME: the id of the program's visible window of that name, if any.
window_named() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$1" ]] && { echo "$w"; return 0; }
    done
    return 1
}

# choose_language INDEX MARKS: ｵﾌﾟｼｮﾝ → 言語 / Language → item INDEX (1 日本語, 2 English),
# after checking the submenu's marks before the choice.
choose_language() {
    e2e_open_menu 3 7
    e2e_open_submenu 6 2
    [[ "$(e2e_marks)" == "$2" ]] || e2e_fail "言語 / Language should show the marks $2, shows $(e2e_marks)"
    e2e_click_item "$1"
    none_open() { (($(e2e_menu_count) == 0)); }
    e2e_poll 5 none_open || e2e_fail "the menu stayed open after choosing a language"
}

# arrow KEY DIRECTION: plays a move with an arrow key and checks the board the press leaves.
arrow() {
    e2e_shot before.ppm
    local before expected
    before=$(e2e_board_line before.ppm)
    expected=$(e2e_after "$before" "$2")
    xdotool windowfocus --sync "$window" key "$1" 2>/dev/null
    moved() { e2e_shot now.ppm; [[ "$(e2e_board_line now.ppm)" == "$expected" ]]; }
    e2e_poll 10 moved || e2e_fail "$1 should leave $expected, the board shows $(e2e_board_line now.ppm)"
}

# bar_at_rest: the hash of the menu bar with the mouse away from it, once it stays the same.
bar_at_rest() {
    local last="" now
    xdotool mousemove 620 $((menu + 570))
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.2
        e2e_shot bar.ppm
        now=$(e2e_hash bar.ppm 0 0 633 "$menu")
        [[ "$now" == "$last" ]] && break
        last=$now
    done
    echo "$now"
}

e2e_start
japanese_bar=$(bar_at_rest)
# The same for 対局, 局面, ｵﾌﾟｼｮﾝ, その他, 棋譜, 練習 and ヘルプ.
titles=$(e2e_menu_titles bar.ppm | paste -sd' ')
[[ "$titles" == "21 59 103 154 196 234 277" ]] ||
    e2e_fail "the Japanese menu bar's titles should stand at x = 21 59 103 154 196 234 277, they stand at $titles"

# ---- English -----------------------------------------------------------------------------------
choose_language 2 10
e2e_settings_read 背景画=緑 移動指導=OFF 経過時間=ON BGM=ON 言語=English
e2e_note "English chosen and saved"
e2e_open_menu 1 4            # Game: Two players, Against the computer, Quit, Online
e2e_shot menu-english.ppm
e2e_keep menu-english.ppm menu-english
e2e_close_menus
cp Quorvel.ini english.ini
english_bar=$(bar_at_rest)
# The middles of the seven titles Game, Position, Options, Other, Record, Practice and Help as
# the interface font sets them; one title left in Japanese or missing moves the titles after it.
titles=$(e2e_menu_titles bar.ppm | paste -sd' ')
[[ "$titles" == "26 79 139 193 244 301 352" ]] ||
    e2e_fail "the English menu bar's titles should stand at x = 26 79 139 193 244 301 352, they stand at $titles"
[[ "$english_bar" != "$japanese_bar" ]] || e2e_fail "the menu bar still looks Japanese"

# A press before any game: the box in English.
e2e_press_magnet left
e2e_wait_box "Start" 10 || e2e_fail "no box titled Start (開始 in English) after a press with no game"
e2e_shot box-english.ppm
e2e_keep box-english.ppm box-english
e2e_close_box

# ---- keyboard play ------------------------------------------------------------------------------
xdotool windowfocus --sync "$window" key ctrl+n 2>/dev/null
e2e_wait_box " " 10 || e2e_fail "Ctrl+N (Start) showed no box naming the player to move"
e2e_close_box
arrow Left left
arrow Up up
arrow Right right
e2e_keep now.ppm keyboard-english
e2e_note "three moves played with the arrow keys"

# ---- the help window ----------------------------------------------------------------------------
xdotool windowfocus --sync "$window" key F1 2>/dev/null
e2e_poll 10 window_named "How to play - Quorvel" >/dev/null || e2e_fail "F1 opened no window titled 'How to play - Quorvel'"
help=$(window_named "How to play - Quorvel")
eval "$(xdotool getwindowgeometry --shell "$help")"
((X >= 633)) || e2e_fail "the help window covers the game (left edge at $X)"
e2e_shot help.ppm
[[ -n "${QUORVEL_E2E_SHOTS:-}" ]] && convert help.ppm -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$QUORVEL_E2E_SHOTS/help-english.png"
# The game goes on beside it.
arrow Down down

# ---- back to Japanese ---------------------------------------------------------------------------
choose_language 1 01
e2e_settings_read 背景画=緑 移動指導=OFF 経過時間=ON BGM=ON 言語=日本語
e2e_poll 10 window_named "遊び方 - Quorvel" >/dev/null || e2e_fail "the help window's title did not turn back to 遊び方"
[[ "$(bar_at_rest)" == "$japanese_bar" ]] || e2e_fail "the menu bar does not look as it did in Japanese"
e2e_keep bar.ppm back-japanese
e2e_quit

# ---- started in English ---------------------------------------------------------------------------
# The bar switched live reads exactly as the bar of a program started in English: every title
# was translated, none left over or missing.
cp Quorvel.ini japanese.ini
cp english.ini Quorvel.ini
e2e_start
[[ "$(bar_at_rest)" == "$english_bar" ]] ||
    e2e_fail "the menu bar switched to English differs from the bar of a start in English"
# A menu closed with Esc leaves the next Esc to the game, which ends.
e2e_open_menu 2 4
xdotool key Escape
none_open() { (($(e2e_menu_count) == 0)); }
e2e_poll 5 none_open || e2e_fail "Esc did not close the menu"
e2e_quit
cp japanese.ini Quorvel.ini
e2e_note PASS
INNER

# ---- the help window at a device pixel ratio of 2 -------------------------------------------------
QT_SCALE_FACTOR=2 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 3200x2000x24" bash <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1
"$QUORVEL_PROGRAM" >>program.log 2>&1 &
pid=$!
e2e_poll 30 e2e_find_window || e2e_fail "no window at ratio 2"
sleep 1
xdotool windowfocus --sync "$window" key F1 2>/dev/null
help_open() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "遊び方 - Quorvel" ]] && { help=$w; return 0; }
    done
    return 1
}
e2e_poll 10 help_open || e2e_fail "F1 opened no help window at ratio 2"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$help")"
((WIDTH >= 1600)) || e2e_fail "at ratio 2 the help window is $WIDTH pixels wide, expected twice its 880"
e2e_shot help2.ppm
[[ -n "${QUORVEL_E2E_SHOTS:-}" ]] && convert help2.ppm -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$QUORVEL_E2E_SHOTS/help-ratio2.png"
xdotool windowfocus --sync "$window" key Escape 2>/dev/null
e2e_poll 15 e2e_ended || e2e_fail "the program still runs 15 s after Esc"
e2e_note PASS at ratio 2
INNER
