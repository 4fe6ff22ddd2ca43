# Helpers for the end-to-end scripts, sourced twice by each of them: once outside the virtual X
# server (e2e_prepare, e2e_in_xvfb) and once inside it (everything else). They drive the real
# program with the real mouse and keyboard and read the screen back from screenshots.
#
# Inside the server the helpers share these variables:
#   pid     the running program            window  its main window's X id
#   menu    the menu bar's height in pixels (the client area starts there)
#   top     the screen row of the board's top edge (menu + 84)
#
# shellcheck shell=bash disable=SC2034,SC2317
# (SC2034: the variables set here are read by the scripts; SC2317: small functions defined
# inside others are called through e2e_poll.)

# ---- outside the X server ------------------------------------------------------------------

# e2e_prepare PROGRAM RUN_DIR: skips (77) without xvfb-run, checks the tools, makes the working
# folder with the five sound files and exports what the inner script needs.
e2e_prepare() {
    QUORVEL_PROGRAM=$(realpath "${1:?program}") || exit 1
    local run_dir
    run_dir=$(realpath "${2:?run folder}") || exit 1

    if ! command -v xvfb-run >/dev/null 2>&1; then
        echo "SKIP: xvfb-run is not installed"
        exit 77
    fi
    local tool
    for tool in xdotool import convert md5sum iconv od; do
        command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
    done

    QUORVEL_WORK=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-e2e-XXXXXX") || exit 1
    # shellcheck disable=SC2064  # the folder's name is fixed now
    trap "rm -rf '$QUORVEL_WORK'" EXIT
    chmod 700 "$QUORVEL_WORK"

    # The program opens its sound files by bare name from the current folder.
    local sound
    for sound in 駒打音.wav 磁石音.wav 禁止.wav その他.wav BGM.wav; do
        if [[ ! -f "$run_dir/$sound" ]]; then
            echo "FAIL: $run_dir/$sound is missing (build the quorvel_sounds target)"
            exit 1
        fi
        cp "$run_dir/$sound" "$QUORVEL_WORK/"
    done

    QUORVEL_E2E_LIB=$(realpath "${BASH_SOURCE[0]}")
    export QUORVEL_PROGRAM QUORVEL_WORK QUORVEL_E2E_LIB
    export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$QUORVEL_WORK
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_QPA_PLATFORM
}

# e2e_in_xvfb < SCRIPT: runs a bash script on a fresh virtual screen of 1024 x 768; its status
# is the script's. The search for a free display starts at a random number: two servers started
# at the same moment from the same number can both take it, and the one that ends first then
# takes the other's socket with it. The server does not reset when its last client leaves: a
# program started during such a reset cannot connect (every e2e script starts its servers this
# way).
e2e_in_xvfb() {
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" bash
}

# ---- inside the X server -------------------------------------------------------------------

e2e_fail() {
    echo "FAIL: $*"
    if [[ -n "${pid:-}" ]]; then
        kill "$pid" 2>/dev/null
        [[ -s program.log ]] && { echo "--- program output:"; cat program.log; }
    fi
    exit 1
}

e2e_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# e2e_note TEXT: a progress line stamped with the seconds since the script began.
e2e_began=$(e2e_now_ms)
e2e_note() {
    local ms=$(($(e2e_now_ms) - e2e_began))
    printf '[%3d.%d s] %s\n' $((ms / 1000)) $((ms % 1000 / 100)) "$*"
}

# e2e_poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false after SECONDS.
e2e_poll() {
    local limit=$(($(e2e_now_ms) + $1 * 1000))
    shift
    until "$@"; do
        (($(e2e_now_ms) < limit)) || return 1
        sleep 0.1
    done
}

# Where screenshots worth keeping go, when QUORVEL_E2E_SHOTS names a folder.
# e2e_settings_read LINE...: Quorvel.ini in the current folder holds exactly these lines, in
# CP932, each ended by CR LF, or does so within 10 s (the program saves while it handles the menu
# command); fails showing what the file holds otherwise.
e2e_settings_read() {
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >expected.ini || e2e_fail "iconv cannot write CP932"
    if ! e2e_poll 10 cmp -s expected.ini Quorvel.ini; then
        local seen
        seen=$(iconv -f CP932 -t UTF-8 Quorvel.ini 2>&1 | sed 's/\r$/\\r/; s/$/\\n/' | paste -sd' ')
        e2e_fail "Quorvel.ini should read $(printf '%s\\r\\n ' "$@"); it reads: ${seen:-(nothing)} (bytes:$(od -An -tx1 -v Quorvel.ini | tr -s ' \n' ' '))"
    fi
}

# e2e_keep SHOT NAME: stores the window's 633 x 600 pixels of a root screenshot as NAME.png.
e2e_keep() {
    [[ -n "${QUORVEL_E2E_SHOTS:-}" ]] || return 0
    mkdir -p "$QUORVEL_E2E_SHOTS"
    convert "$1" -crop 633x600+0+0 +repage "$QUORVEL_E2E_SHOTS/$2.png"
}

e2e_shot() {
    import -window root "$1" 2>>import.log || e2e_fail "screenshot into $1 failed"
}

# e2e_hash SHOT X Y W H: a digest of a rectangle's pixels, for equality tests.
e2e_hash() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 rgb:- | md5sum | cut -c1-32
}

# e2e_mean SHOT X Y W H: the rectangle's mean colour as "R G B" (0..255).
e2e_mean() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -scale 1x1\! -depth 8 txt:- |
        awk 'NR == 2 { s = $2; gsub(/[()]/, "", s); split(s, c, ","); print int(c[1]), int(c[2]), int(c[3]) }'
}

# e2e_pixels SHOT X Y W H: prints "x y r g b" for every pixel of a rectangle, x and y counted
# from its corner.
e2e_pixels() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- |
        awk 'NR > 1 { split($1, at, ","); sub(":", "", at[2]); s = $2; gsub(/[()]/, "", s)
                      split(s, c, ","); print at[1], at[2], int(c[1]), int(c[2]), int(c[3]) }'
}

# e2e_start: starts the program in the current folder and waits for its window and for the
# board to be drawn; sets pid, window, menu and top.
e2e_start() {
    "$QUORVEL_PROGRAM" >>program.log 2>&1 &
    pid=$!
    window=""
    e2e_poll 30 e2e_find_window || e2e_fail "no window named Quorvel appeared within 30 s"
    e2e_poll 15 e2e_find_board || e2e_fail "the board's top edge (a row of (0,128,0) from x 123 to 420) was not found within 15 s"
}

e2e_find_window() {
    kill -0 "$pid" 2>/dev/null || e2e_fail "the program ended before showing its window"
    # Menus are windows of the same name; before any is opened the main window is the only one.
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Quorvel$' 2>/dev/null | head -1)
    [[ -n "$window" ]]
}

# The board's top edge is the first screen row that is grid green from x = 123 to 420; it lies
# 84 pixels below the menu bar.
e2e_find_board() {
    e2e_shot start.ppm
    local edge
    edge=$(e2e_pixels start.ppm 123 0 298 150 |
        awk '!($3 == 0 && $4 == 128 && $5 == 0) { bad[$2] = 1 } END { for (y = 0; y < 150; ++y) if (!(y in bad)) { print y; exit } }')
    [[ -n "$edge" ]] || return 1
    top=$edge
    menu=$((top - 84))
    ((menu >= 10 && menu <= 50)) || e2e_fail "implausible menu bar height $menu (board top edge at row $top)"
}

# e2e_board SHOT: the board as 9 lines of 9 characters, top row first: '.' an empty square,
# 'o' a piece, 'P' the prince (a dark stone, unlike the pale wooden pieces). Each square's middle
# (22 x 30 of its 33 x 41 pixels) is measured: an empty square holds no dark pixel, a piece's
# lettering at least 60 of them; the prince's mean grey is near 120, a piece's 150 or more.
e2e_board() {
    convert "$1" -crop 297x369+123+"$top" +repage -crop 33x41 +repage -crop 22x30+6+6 +repage \
        -colorspace gray \( -clone 0--1 -threshold 33% \) -format "%[fx:mean*255]\n" info: |
        awk '{ v[NR] = $1 }
             END { if (NR != 162) { print "unreadable"; exit }
                   for (r = 0; r < 9; ++r) { line = ""
                       for (c = 1; c <= 9; ++c) { k = r * 9 + c; dark = (255 - v[k + 81]) / 255 * 660
                           if (dark < 20) line = line "."
                           else if (v[k] < 140) line = line "P"
                           else line = line "o" }
                       print line } }'
}

# The move number beside the board (cells 13 and 14 of row 3), the computer's "thinking" label
# (cells -2 to 0 of row 8) and the clocks of row 9 (the human's on the right, the computer's or
# the second player's on the left), as rectangles "X Y W H" of the screen.
e2e_panel_rect() { echo 519 $((menu + 167)) 66 40; }
e2e_label_rect() { echo 26 $((menu + 373)) 94 37; }
e2e_right_clock_rect() { echo 519 $((menu + 413)) 99 40; }
e2e_left_clock_rect() { echo 26 $((menu + 413)) 94 40; }
# The same cells one row lower, where nothing but the background is ever drawn: the tiles repeat
# every row, so an erased clock shows exactly these pixels.
e2e_below_right_clock_rect() { echo 519 $((menu + 454)) 99 40; }
e2e_below_left_clock_rect() { echo 26 $((menu + 454)) 94 40; }

# e2e_press_magnet left|right|up|down: a click in the middle of that magnet's cell.
e2e_press_magnet() {
    case $1 in
        left) xdotool mousemove 73 $((menu + 268)) click 1 ;;
        right) xdotool mousemove 469 $((menu + 268)) click 1 ;;
        up) xdotool mousemove 271 $((menu + 22)) click 1 ;;
        down) xdotool mousemove 271 $((menu + 515)) click 1 ;;
        *) e2e_fail "no magnet $1" ;;
    esac
}

# ---- windows besides the main one --------------------------------------------------------------

# Prints "id name" for every visible window of the program other than the main window: open
# menus (named Quorvel) and message boxes (named by their title).
e2e_other_windows() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [[ "$w" == "$window" ]] && continue
        echo "$w $(xdotool getwindowname "$w" 2>/dev/null)"
    done
}

# Message boxes only: every other window not named Quorvel, as "box 'TITLE'" lines.
e2e_boxes() {
    e2e_other_windows | awk '$2 != "Quorvel" || NF != 2 { $1 = ""; print "box \047" substr($0, 2) "\047" }'
}

# e2e_wait_box TITLE SECONDS: waits for a message box with exactly that title; sets box.
e2e_wait_box() {
    box=""
    local title=$1 limit=$(($(e2e_now_ms) + $2 * 1000)) w
    while (($(e2e_now_ms) < limit)); do
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            [[ "$w" != "$window" && "$(xdotool getwindowname "$w" 2>/dev/null)" == "$title" ]] &&
                { box=$w; return 0; }
        done
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# e2e_close_box: Return on the box found last; waits until it is gone.
e2e_close_box() {
    xdotool windowfocus --sync "$box" key Return 2>/dev/null
    e2e_poll 10 e2e_window_gone "$box" || e2e_fail "the message box did not close on Return"
}

e2e_window_gone() {
    ! xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1"
}

# e2e_quit: Esc on the main window; the program must end with status 0.
e2e_quit() {
    xdotool windowfocus --sync "$window" key Escape 2>/dev/null
    e2e_poll 15 e2e_ended || e2e_fail "the program still runs 15 s after Esc"
    wait "$pid"
    local status=$?
    [[ $status == 0 ]] || e2e_fail "the program exited with status $status"
    pid=""
}

e2e_ended() { ! kill -0 "$pid" 2>/dev/null; }

# ---- menus -------------------------------------------------------------------------------------

# e2e_menu_titles SHOT: the middle x of each title on the menu bar, left to right: the columns
# holding dark text pixels, split where at least 12 columns stay clear (half-width kana leave
# gaps of up to 8 inside a title, titles stand 16 apart).
e2e_menu_titles() {
    e2e_pixels "$1" 0 2 633 $((menu - 4)) | awk '
        $3 + $4 + $5 < 250 { ink[$1] = 1 }
        END { start = -1
              for (x = 0; x <= 633; ++x) {
                  if (x in ink) { if (start < 0) start = x; last = x }
                  else if (start >= 0 && x - last >= 13) { print int((start + last) / 2); start = -1 } } }'
}

# e2e_menu_rows ID: the items of an open menu, top to bottom, as "y marked": y is the screen row
# through the item's text, marked is 1 when a check mark stands left of the text. Items are the
# bands of rows holding dark text pixels; an item under the mouse is drawn light on blue and is
# not seen, so read a menu while the mouse is elsewhere.
e2e_menu_rows() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
    e2e_shot menu.ppm
    e2e_pixels menu.ppm "$X" "$Y" "$WIDTH" "$HEIGHT" | awk -v X="$X" -v Y="$Y" -v w="$WIDTH" -v h="$HEIGHT" '
        $1 >= 2 && $1 < w - 2 && $2 >= 2 && $2 < h - 2 && $3 + $4 + $5 < 250 {
            if (!($2 in left) || $1 < left[$2]) left[$2] = $1 }
        END {
            n = 0; last = -10
            for (y = 0; y < h; ++y) {
                if (!(y in left)) continue
                if (y - last > 3) { ++n; first[n] = y; from[n] = 1e9 }
                final[n] = y; last = y
                if (left[y] < from[n]) from[n] = left[y]
            }
            # Text starts at the same column in every item; a checked item starts further left.
            text = 0
            for (i = 1; i <= n; ++i) if (from[i] > text) text = from[i]
            for (i = 1; i <= n; ++i) {
                marked = 0
                for (y = first[i]; y <= final[i]; ++y) if ((y in left) && left[y] < text - 4) marked = 1
                print Y + int((first[i] + final[i]) / 2), marked
            }
        }'
}

# e2e_wait_menu COUNT SECONDS KNOWN...: waits for a newly opened menu (a window not among KNOWN)
# showing COUNT items; sets popup (its id), popup_x (a column inside it) and rows (its items).
e2e_wait_menu() {
    local count=$1 limit=$(($(e2e_now_ms) + $2 * 1000)) w id name seen=""
    shift 2
    popup=""
    while (($(e2e_now_ms) < limit)); do
        while read -r id name; do
            [[ "$name" == Quorvel ]] || continue
            [[ " $* " == *" $id "* ]] && continue
            mapfile -t rows < <(e2e_menu_rows "$id")
            seen="a menu with ${#rows[@]} items"
            if ((${#rows[@]} == count)); then
                local X Y WIDTH HEIGHT SCREEN WINDOW
                eval "$(xdotool getwindowgeometry --shell "$id")"
                popup=$id
                popup_x=$((X + WIDTH / 2))
                return 0
            fi
        done < <(e2e_other_windows)
        sleep 0.1
    done
    echo "  (expected a menu of $count items; saw ${seen:-no new menu})"
    return 1
}

# How many titles the menu bar shows: 対局 局面 ｵﾌﾟｼｮﾝ その他 棋譜 練習 ヘルプ.
E2E_MENU_TITLES=7

# e2e_open_menu INDEX COUNT: clicks the INDEX-th title (from 1) of the menu bar and waits for its
# menu of COUNT items.
e2e_open_menu() {
    local titles=()
    # A title under the mouse is drawn light on blue; move the mouse off the bar and read the bar
    # once it has redrawn.
    xdotool mousemove 620 $((menu + 570))
    all_titles() {
        e2e_shot bar.ppm
        mapfile -t titles < <(e2e_menu_titles bar.ppm)
        ((${#titles[@]} == E2E_MENU_TITLES))
    }
    e2e_poll 5 all_titles ||
        e2e_fail "expected $E2E_MENU_TITLES titles on the menu bar (対局 局面 ｵﾌﾟｼｮﾝ その他 棋譜 練習 ヘルプ), found ${#titles[@]}"
    menu_title_x=${titles[$1 - 1]}
    xdotool mousemove "$menu_title_x" $((menu / 2)) click 1
    e2e_wait_menu "$2" 10 || e2e_fail "menu-bar title $1 opened no menu of $2 items"
}

# e2e_row_y INDEX: the screen row of item INDEX (from 1) of the menu found last.
e2e_row_y() { echo "${rows[$1 - 1]% *}"; }

# e2e_marks: the check marks of the menu found last, as a word of 0 and 1, top item first.
e2e_marks() {
    local row out=""
    for row in "${rows[@]}"; do out+=${row#* }; done
    echo "$out"
}

# e2e_click_item INDEX: clicks item INDEX of the menu found last.
e2e_click_item() {
    xdotool mousemove "$popup_x" "$(e2e_row_y "$1")" click 1
}

# e2e_open_submenu INDEX COUNT: clicks item INDEX of the menu found last, which opens a submenu
# of COUNT items; the submenu becomes the menu found last (parent and parent_rows keep the other).
e2e_open_submenu() {
    parent=$popup
    parent_x=$popup_x
    parent_rows=("${rows[@]}")
    # The mouse stays on the parent item, so no submenu item is highlighted while it is read.
    e2e_click_item "$1"
    e2e_wait_menu "$2" 10 "$parent" || e2e_fail "item $1 opened no submenu of $2 items"
}


# ---- the computer's move ------------------------------------------------------------------------

# e2e_wait_for_computer BEFORE SECONDS: after a command that hands the move to the computer, polls
# the screen until its thinking label was shown and is gone again and the move number changed
# from BEFORE; then waits for the human's clock (right of row 9) to run again, which it does only
# once the computer's move is over and the program handles events again. Any message box
# meanwhile fails. Needs label_empty, the hash of the label's rectangle with no label drawn.
# Leaves the final picture in now.ppm; thinking_board is the board of the first screenshot that
# showed the label (the position the computer thinks about, or that position with the prince
# already stepped).
# (SC2046: a rectangle's four numbers are meant to split; SC2154: label_empty is the script's.)
# shellcheck disable=SC2046,SC2154
e2e_wait_for_computer() {
    local before=$1 limit=$(($(e2e_now_ms) + $2 * 1000)) thinking=0 over=0 panel="" label="" boxes
    while ((!over && $(e2e_now_ms) < limit)); do
        boxes=$(e2e_boxes)
        [[ -z "$boxes" ]] || e2e_fail "a message box appeared during the computer's move: $boxes"
        e2e_shot now.ppm
        panel=$(e2e_hash now.ppm $(e2e_panel_rect))
        label=$(e2e_hash now.ppm $(e2e_label_rect))
        if [[ "$label" != "$label_empty" ]] && ((!thinking)); then
            thinking=1
            cp now.ppm thinking.ppm
        fi
        if ((thinking)) && [[ "$label" == "$label_empty" && "$panel" != "$before" ]]; then
            over=1
        else
            sleep 0.1
        fi
    done
    ((thinking)) || e2e_fail "the computer's thinking label (思考中, left of row 8) never appeared within $2 s"
    ((over)) || e2e_fail "the computer's move did not finish within $2 s (move number changed: $([[ $panel != "$before" ]] && echo yes || echo no), label gone: $([[ $label == "$label_empty" ]] && echo yes || echo no))"
    thinking_board=$(e2e_board_line thinking.ppm)

    local clock
    clock=$(e2e_hash now.ppm $(e2e_right_clock_rect))
    clock_moved() { e2e_shot clock.ppm; [[ "$(e2e_hash clock.ppm $(e2e_right_clock_rect))" != "$clock" ]]; }
    e2e_poll 10 clock_moved || e2e_fail "the human's clock did not run within 10 s after the computer's move"
    mv clock.ppm now.ppm
    boxes=$(e2e_boxes)
    [[ -z "$boxes" ]] || e2e_fail "a message box is open after the computer's move: $boxes"
}

# ---- the board as occupancy ----------------------------------------------------------------------

# The first position as e2e_board reads it, rows joined by '/'.
E2E_FIRST_POSITION="ooooooooo/.o.....o./ooooooooo/........./....P..../........./ooooooooo/.o.....o./ooooooooo"

# e2e_board_line SHOT: e2e_board with its rows joined by '/'.
e2e_board_line() { e2e_board "$1" | paste -sd/; }

# e2e_after BOARD left|right|up|down: the occupancy a press on that magnet leaves: the prince
# steps one square toward the magnet when that square is on the board and empty, then every
# piece slides toward the magnet until the edge, the prince or a stopped piece holds it.
e2e_after() {
    awk -v board="$1" -v dir="$2" 'BEGIN {
        split(board, row, "/")
        for (r = 1; r <= 9; ++r) for (c = 1; c <= 9; ++c) {
            g[r, c] = substr(row[r], c, 1)
            if (g[r, c] == "P") { pr = r; pc = c }
        }
        dr = (dir == "down") - (dir == "up"); dc = (dir == "right") - (dir == "left")
        if (dr == 0 && dc == 0) exit 1
        nr = pr + dr; nc = pc + dc
        if (pr && nr >= 1 && nr <= 9 && nc >= 1 && nc <= 9 && g[nr, nc] == ".") {
            g[pr, pc] = "."; g[nr, nc] = "P"
        }
        for (i = 1; i <= 9; ++i) {
            # The line of cells from the magnet side inward.
            for (k = 1; k <= 9; ++k) {
                if (dir == "left")  { lr[k] = i; lc[k] = k }
                if (dir == "right") { lr[k] = i; lc[k] = 10 - k }
                if (dir == "up")    { lr[k] = k; lc[k] = i }
                if (dir == "down")  { lr[k] = 10 - k; lc[k] = i }
            }
            free = 1
            for (k = 1; k <= 9; ++k) {
                cell = g[lr[k], lc[k]]
                if (cell == "P") { free = k + 1 }
                else if (cell == "o") { g[lr[k], lc[k]] = "."; g[lr[free], lc[free]] = "o"; ++free }
            }
        }
        out = ""
        for (r = 1; r <= 9; ++r) {
            line = ""
            for (c = 1; c <= 9; ++c) line = line g[r, c]
            out = out (r > 1 ? "/" : "") line
        }
        print out
    }'
}

# e2e_count BOARD: "pieces princes" on a board line.
e2e_count() {
    local pieces=${1//[^o]/} princes=${1//[^P]/}
    echo "${#pieces} ${#princes}"
}

# e2e_red SHOT: how many pixels of the board are the pure red that outlines a win.
e2e_red() {
    convert "$1" -crop 304x377+120+$((top - 3)) +repage -fill black +opaque '#ff0000' \
        -fill white -opaque '#ff0000' -colorspace gray -format "%[fx:round(mean*w*h)]\n" info:
}

# e2e_close_menus: a click on the title of the menu opened last closes it with its submenus.
# (Esc would close them too, but leaves the menu bar holding the keyboard.)
e2e_close_menus() {
    xdotool mousemove "$menu_title_x" $((menu / 2)) click 1
    none_open() { (($(e2e_menu_count) == 0)); }
    e2e_poll 5 none_open || e2e_fail "a click on its title did not close the open menu"
}

e2e_menu_count() { e2e_other_windows | awk '$2 == "Quorvel" && NF == 2' | wc -l; }
