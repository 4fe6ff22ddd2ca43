#!/bin/bash
# End-to-end test of the real program when its surroundings are broken: no audio device, no
# sound module, sound files missing, empty, cut short or not sound at all, a damaged settings
# file, a folder it may not write to, and names that stand for something else (FIFOs, devices,
# link loops, huge sparse or growing files). In every case the program must start, with its window or a warning box
# before it within a second of a normal start (and never later than one second when a normal
# start is quicker than half a second), stay below 150 MB of peak resident memory, show exactly
# the message boxes the game defines for that case and no other, play a move (menu 対局 > 対局(人間) > スタート, a press on
# the down magnet, the board redrawn) and end with status 0 on Esc.
#
# usage: faults_test.sh PROGRAM RUN_DIR
#   PROGRAM  the quorvel executable
#   RUN_DIR  the folder holding the generated sound files
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run).
#
# Every case runs in a fresh folder of its own, one after the other on one virtual X server.
# QUORVEL_FAULTS_CASES=REGEX runs only the cases whose names match.

set -u

program=$(realpath "${1:?program}") || exit 1
run_dir=$(realpath "${2:?run folder}") || exit 1

sounds=(駒打音.wav 磁石音.wav 禁止.wav その他.wav BGM.wav)

# ---------------------------------------------------------------------------------------------
# Outside the X server: check the tools, lay out the work folder, start the server.
if [[ -z "${QUORVEL_FAULTS_ROOT:-}" ]]; then
    if ! command -v xvfb-run >/dev/null 2>&1; then
        echo "SKIP: xvfb-run is not installed"
        exit 77
    fi
    for tool in xdotool xprop import compare convert iconv setpriv; do
        command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
    done
    for sound in "${sounds[@]}"; do
        [[ -f "$run_dir/$sound" ]] ||
            { echo "FAIL: $run_dir/$sound is missing (build the quorvel_sounds target)"; exit 1; }
    done
    id nobody >/dev/null 2>&1 || { echo "FAIL: there is no user nobody"; exit 1; }
    [[ $(id -u) == 0 ]] || { echo "FAIL: the test switches to user nobody and must run as root"; exit 1; }

    root=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-faults-XXXXXX") || exit 1
    trap 'chmod -R u+rwX "$root" 2>/dev/null; rm -rf "$root"' EXIT
    # Other users (nobody) must reach their case folders below it.
    chmod 755 "$root"

    export QUORVEL_FAULTS_ROOT=$root
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_QPA_PLATFORM
    unset SDL_AUDIODRIVER
    start=$SECONDS
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" "$BASH" "$0" "$program" "$run_dir"
    status=$?
    echo "all cases took $((SECONDS - start)) s"
    exit $status
fi

# ---------------------------------------------------------------------------------------------
# Inside the X server.
root=$QUORVEL_FAULTS_ROOT

# The programs run as nobody need the server's cookie and a runtime folder of their own.
nobody_home=$root/nobody
install -d -o nobody -g nogroup -m 700 "$nobody_home"
if [[ -n "${XAUTHORITY:-}" && -f "$XAUTHORITY" ]]; then
    install -o nobody -g nogroup -m 600 "$XAUTHORITY" "$nobody_home/Xauthority"
fi
root_runtime=$root/runtime
install -d -m 700 "$root_runtime"

# nobody may not reach a program built below root's home: it then runs a copy, with the sound
# module the program loads from beside it.
nobody_program=$program
if ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$program"; then
    nobody_program=$root/quorvel
    install -m 755 "$program" "$nobody_program"
    install -m 644 "$(dirname "$program")/quorvel_sound.so" "$root/"
fi

# Titles of every box the game shows.
known_titles=("Quorvel.dll" " " "開始" "終局" "終了")

# The board lies 84 pixels below the menu bar; the down magnet 515.
board_left=123
board_width=297
board_height=369
magnet_x=272

settings_defaults_utf8=$'背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n'

# ---- Setting up a case: each runs in the case folder. ------------------------------------------

remove() { rm -f "$1"; }
empty() { : >"$1"; }
directory_named() { rm -f "$1" && mkdir "$1"; }
unreadable() { chmod 000 "$1"; }

# Each file cut at a different place: inside the RIFF header, the "fmt " chunk header, the
# "fmt " body, the "data" chunk header and the samples.
truncated() {
    truncate -s 6 駒打音.wav
    truncate -s 16 磁石音.wav
    truncate -s 28 禁止.wav
    truncate -s 40 その他.wav
    truncate -s $(($(stat -c %s BGM.wav) / 2)) BGM.wav
}

random_bytes() {
    local sound
    for sound in "${sounds[@]}"; do head -c 4096 /dev/urandom >"$sound"; done
}

text_files() {
    local sound
    for sound in "${sounds[@]}"; do printf 'This is not a sound.\nRIFF WAVE fmt data\n' >"$sound"; done
}

fifo() { rm -f "$1" && mkfifo "$1"; }
# A FIFO whose writer never stops: the writer holds both ends, so it never waits for a reader,
# and writes until the pipe is full, then waits there for as long as the case runs.
fifo_endless_writer() {
    fifo "$1" || return 1
    bash -c 'exec 3<>"$1"; yes >&3' _ "$1" >/dev/null 2>&1 &
    helpers+=($!)
}
link_to() { rm -f "$2" && ln -s "$1" "$2"; }
link_loop() { rm -f "$1" && ln -s "$1" "$1"; }
sparse_4g() { rm -f "$1" && truncate -s 4G "$1"; }
# Bytes keep being appended to the file for as long as the case runs (to the file as it is now:
# one that replaces it under its name is left alone).
growing() {
    (exec 4>>"$1"; while :; do head -c 4096 /dev/urandom >&4; sleep 0.01; done) >/dev/null 2>&1 &
    helpers+=($!)
}

audio_driver() { case_env+=("SDL_AUDIODRIVER=$1"); }
# The program copied alone into a folder of its own: its sound module is nowhere to be found.
program_alone() {
    mkdir "$case_dir.alone" && install -m 755 "$program" "$case_dir.alone/quorvel" &&
        case_program=$case_dir.alone/quorvel
}
# The folder belongs to nobody, who may write the settings file in it.
nobody_owns_folder() { chown nobody:nogroup .; case_user=nobody; }
# Root owns the folder and nobody may only read it.
read_only_folder() { chmod 555 .; case_user=nobody; game_unsaved=1; }

# Writes the settings file from UTF-8 lines, each ended by CR LF, encoded as CP932. A line may
# hold \xHH escapes for raw bytes, written as they are after the encoding.
settings() {
    local line text
    : >Quorvel.ini
    for line in "$@"; do
        text=${line//\\x*/}
        printf '%s' "$text" | iconv -f UTF-8 -t CP932 >>Quorvel.ini || return 1
        # The escapes are the format, on purpose.
        # shellcheck disable=SC2059
        [[ "$text" != "$line" ]] && printf "${line#"$text"}" >>Quorvel.ini
        printf '\r\n' >>Quorvel.ini
    done
    keep_settings
}

# A settings file of 10 MB, all one line.
settings_huge() {
    head -c $((10 << 20)) /dev/zero | tr '\0' 'x' >Quorvel.ini
    keep_settings
}

settings_directory() { mkdir Quorvel.ini; }

keep_settings() { cp Quorvel.ini "$case_dir.settings-before"; }

# ---- Checks after the program has ended: each runs in the case folder. ------------------------

expect_defaults_saved() {
    [[ -f Quorvel.ini ]] || { echo "no Quorvel.ini was written"; return 1; }
    if ! printf '%s' "$settings_defaults_utf8" | iconv -f UTF-8 -t CP932 | cmp -s - Quorvel.ini; then
        echo "Quorvel.ini does not hold the default settings:"
        iconv -f CP932 -t UTF-8 Quorvel.ini | head -c 300 | cat -A
        return 1
    fi
}

expect_settings_unchanged() {
    cmp -s "$case_dir.settings-before" Quorvel.ini || { echo "Quorvel.ini was changed"; return 1; }
}

expect_settings_directory_kept() {
    [[ -d Quorvel.ini ]] || { echo "the folder named Quorvel.ini is gone"; return 1; }
    [[ -z "$(ls -A Quorvel.ini)" ]] || { echo "something was written into the folder Quorvel.ini"; return 1; }
}

expect_settings_fifo_kept() {
    [[ -p Quorvel.ini ]] || { echo "the FIFO named Quorvel.ini was replaced"; return 1; }
}

expect_settings_link_kept() {
    [[ -L Quorvel.ini ]] || { echo "the link named Quorvel.ini was replaced"; return 1; }
}

expect_no_settings_file() {
    [[ ! -e Quorvel.ini ]] || { echo "a Quorvel.ini was written"; return 1; }
}

# ---- The cases. ---------------------------------------------------------------------------------
# name | boxes titled Quorvel.dll at start | setup (commands separated by ;) | check after Esc
cases=(
    "all files in order            | 0 | | expect_defaults_saved"
    "no audio device               | 1 | audio_driver quorvel-no-such-driver | expect_defaults_saved"
    "no sound module               | 1 | program_alone | expect_defaults_saved"
    "駒打音.wav missing            | 0 | remove 駒打音.wav | expect_defaults_saved"
    "磁石音.wav missing            | 0 | remove 磁石音.wav | expect_defaults_saved"
    "禁止.wav missing              | 0 | remove 禁止.wav | expect_defaults_saved"
    "その他.wav missing            | 0 | remove その他.wav | expect_defaults_saved"
    "BGM.wav missing               | 0 | remove BGM.wav | expect_defaults_saved"
    "駒打音.wav empty              | 1 | empty 駒打音.wav | expect_defaults_saved"
    "磁石音.wav empty              | 1 | empty 磁石音.wav | expect_defaults_saved"
    "禁止.wav empty                | 1 | empty 禁止.wav | expect_defaults_saved"
    "その他.wav empty              | 1 | empty その他.wav | expect_defaults_saved"
    "BGM.wav empty                 | 1 | empty BGM.wav | expect_defaults_saved"
    "every sound cut short         | 0 | truncated | expect_defaults_saved"
    "every sound random bytes      | 0 | random_bytes | expect_defaults_saved"
    "every sound a text file       | 0 | text_files | expect_defaults_saved"
    "BGM.wav a folder              | 1 | directory_named BGM.wav | expect_defaults_saved"
    "禁止.wav unreadable (nobody)  | 1 | unreadable 禁止.wav; nobody_owns_folder | expect_defaults_saved"
    "settings: one line            | 0 | settings 背景画=宇宙 | expect_defaults_saved"
    "settings: two lines           | 0 | settings 背景画=宇宙 移動指導=ON | expect_defaults_saved"
    "settings: three lines         | 0 | settings 背景画=宇宙 移動指導=ON 経過時間=OFF | expect_defaults_saved"
    "settings: invalid Shift-JIS   | 0 | settings '背景画=竹\\x81' '移動指導=ON\\xfd' '経過時間=ON\\xa0' 'BGM=ON\\x82' | expect_settings_unchanged"
    "settings: NUL byte            | 0 | settings 背景画=竹 '移動指導=\\x00ON' 経過時間=ON BGM=OFF | expect_settings_unchanged"
    "settings: 10 MB, one line     | 0 | settings_huge | expect_defaults_saved"
    "settings: a folder            | 0 | settings_directory | expect_settings_directory_kept"
    "settings: lower-case values   | 0 | settings 背景画=竹 移動指導=on 経過時間=on bgm=on | expect_settings_unchanged"
    "read-only folder (nobody)     | 0 | read_only_folder | expect_no_settings_file"
    "BGM.wav a FIFO, no writer     | 1 | fifo BGM.wav | expect_defaults_saved"
    "BGM.wav a FIFO, endless writer | 1 | fifo_endless_writer BGM.wav | expect_defaults_saved"
    "BGM.wav a link to /dev/zero   | 1 | link_to /dev/zero BGM.wav | expect_defaults_saved"
    "その他.wav a link to /dev/urandom | 1 | link_to /dev/urandom その他.wav | expect_defaults_saved"
    "磁石音.wav a link loop        | 1 | link_loop 磁石音.wav | expect_defaults_saved"
    "BGM.wav sparse, 4 GiB         | 1 | sparse_4g BGM.wav | expect_defaults_saved"
    "BGM.wav growing while read    | 0 | growing BGM.wav | expect_defaults_saved"
    "settings: a FIFO, no writer   | 0 | fifo Quorvel.ini | expect_settings_fifo_kept"
    "settings: a FIFO, endless writer | 0 | fifo_endless_writer Quorvel.ini | expect_settings_fifo_kept"
    "settings: a link to /dev/zero | 0 | link_to /dev/zero Quorvel.ini | expect_settings_link_kept"
    "settings: a link loop         | 0 | link_loop Quorvel.ini | expect_settings_link_kept"
    "settings: sparse, 4 GiB       | 0 | sparse_4g Quorvel.ini | expect_defaults_saved"
    "settings: growing while read  | 0 | settings_huge; growing Quorvel.ini | expect_defaults_saved"
    "read-only folder (nobody), short file | 0 | settings 背景画=竹 移動指導=ON; read_only_folder | expect_settings_unchanged"
)

# ---- Watching the program's windows. ----------------------------------------------------------

# One line "ID KIND NAME" for each visible window of the program; KIND is main, box or menu.
program_windows() {
    local id type
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        type=$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null) || continue
        case "$type" in
            *_DIALOG*) echo "$id box $(xdotool getwindowname "$id" 2>/dev/null)" ;;
            *_MENU*) echo "$id menu $(xdotool getwindowname "$id" 2>/dev/null)" ;;
            *) echo "$id main $(xdotool getwindowname "$id" 2>/dev/null)" ;;
        esac
    done
}

boxes() { program_windows | awk '$2 == "box"'; }
menus() { program_windows | awk '$2 == "menu"' | wc -l; }
title_of() { cut -d' ' -f3- <<<"$1"; }

is_known_title() {
    local title
    for title in "${known_titles[@]}"; do [[ "$1" == "$title" ]] && return 0; done
    return 1
}

describe_box() {
    local title
    title=$(title_of "$1")
    if is_known_title "$title"; then echo "a box titled '$title'"; else echo "an unknown box '$title'"; fi
}

# Fails when any box is open.
expect_no_box() {
    local open
    open=$(boxes | head -1)
    [[ -z "$open" ]] || fail "$(describe_box "$open") appeared $1"
}

# Presses OK on a box and waits for it to go.
close_box() {
    local id=$1
    xdotool windowfocus --sync "$id" key Return 2>/dev/null
    for _ in $(seq 50); do
        xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
    fail "a box ($(xdotool getwindowname "$id" 2>/dev/null)) did not close on Return"
}

# Waits up to 5 s for a box and prints its line.
await_box() {
    local open
    for _ in $(seq 50); do
        open=$(boxes | head -1)
        [[ -n "$open" ]] && { echo "$open"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

await_menus() {
    for _ in $(seq 30); do
        (($(menus) >= $1)) && return 0
        sleep 0.1
    done
    fail "the menu did not open (wanted $1 drop-downs)"
}

# The crop of the screen that holds the board.
board_shot() {
    import -window root -crop "${board_width}x${board_height}+${board_left}+$((menu + 84))" +repage "$1" 2>/dev/null ||
        fail "screenshot failed"
}

# The number of pixels that differ between two pictures.
pixels_differing() {
    compare -metric AE "$1" "$2" null: 2>&1 | awk '{ printf "%d\n", $1 }'
}

# The menu bar's height: the board's top grid line, green from x = 123 to 420, lies 84 pixels
# below it. Empty while the board is not drawn yet.
find_menu_height() {
    import -window root -crop 298x160+123+0 +repage "$case_dir.top.png" 2>/dev/null || return
    convert "$case_dir.top.png" -depth 8 txt:- | awk '
        NR > 1 { split($1, at, ","); sub(":", "", at[2]); if ($2 != "(0,128,0)") bad[at[2]] = 1; rows[at[2]] = 1 }
        END { for (y = 0; y < 160; ++y) if ((y in rows) && !(y in bad)) { print y - 84; exit } }'
}

fail() {
    echo "FAIL [$case_name]: $*"
    if [[ -n "${pid:-}" ]] && kill -0 "$pid" 2>/dev/null; then
        import -window root "$root/failure.png" 2>/dev/null &&
            cp "$root/failure.png" "${TMPDIR:-/tmp}/quorvel-faults-failure.png" &&
            echo "  screen saved in ${TMPDIR:-/tmp}/quorvel-faults-failure.png"
        kill "$pid" 2>/dev/null
    fi
    [[ -s "$case_dir.log" ]] && { echo "  program output:"; sed 's/^/    /' "$case_dir.log"; }
    exit 1
}

# ---- One case, in a subshell of its own. ------------------------------------------------------

run_case() {
    case_name=$1
    local start_boxes=$2 setup=$3 check=$4
    case_dir=$root/case$5
    case_env=(SDL_AUDIODRIVER=dummy)
    case_user=root
    case_program=$program
    # 1: the game in progress cannot be written, which the first move tells in a box 棋譜.
    game_unsaved=0
    pid=""
    helpers=()

    mkdir "$case_dir" || fail "cannot make the case folder"
    cp "${sounds[@]/#/$run_dir/}" "$case_dir/" || fail "cannot copy the sounds"
    chmod 644 "$case_dir"/*.wav
    cd "$case_dir" || fail "cannot enter the case folder"
    local step
    IFS=';' read -ra steps <<<"$setup"
    for step in "${steps[@]}"; do
        [[ -n "${step// /}" ]] || continue
        eval "$step" || fail "setup step '$step' failed"
    done

    # Start the program in its folder, as root or as nobody. A sanitizer build keeps its options
    # across the user switch.
    local option
    for option in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        [[ -n "${!option:-}" ]] && case_env+=("$option=${!option}")
    done
    if [[ $case_user == nobody ]]; then
        setpriv --reuid=nobody --regid=nogroup --clear-groups \
            env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="$nobody_home/Xauthority" \
            HOME="$nobody_home" XDG_RUNTIME_DIR="$nobody_home" "${case_env[@]}" \
            "$nobody_program" >"$case_dir.log" 2>&1 &
    else
        env XDG_RUNTIME_DIR="$root_runtime" "${case_env[@]}" "$case_program" >"$case_dir.log" 2>&1 &
    fi
    pid=$!
    local started_ns
    started_ns=$(date +%s%N)
    trap 'kill "$pid" "${helpers[@]}" 2>/dev/null' EXIT

    # Start-up: close the expected warnings until the main window shows.
    local warnings=0 main="" line id kind first_ms=""
    for _ in $(seq 200); do
        while IFS= read -r line; do
            [[ -n "$line" ]] || continue
            [[ -n "$first_ms" ]] || first_ms=$((($(date +%s%N) - started_ns) / 1000000))
            read -r id kind _ <<<"$line"
            if [[ $kind == box ]]; then
                [[ "$(title_of "$line")" == "Quorvel.dll" ]] ||
                    fail "$(describe_box "$line") appeared at start"
                warnings=$((warnings + 1))
                ((warnings <= start_boxes)) ||
                    fail "warning box $warnings at start; $start_boxes expected"
                close_box "$id"
            elif [[ $kind == main && "$(title_of "$line")" == Quorvel ]]; then
                main=$id
            fi
        done <<<"$(program_windows)"
        [[ -n "$main" ]] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
        sleep 0.1
    done
    [[ -n "$main" ]] || fail "no window named Quorvel appeared"
    # The first case starts normally; every other must show something as soon, give or take a
    # second (this also allows for a slow sanitizer build).
    [[ -s $root/normal-start-ms ]] || echo "$first_ms" >"$root/normal-start-ms"
    local limit_ms=$(($(cat "$root/normal-start-ms") + 500))
    ((limit_ms >= 1000)) || limit_ms=1000
    ((first_ms <= limit_ms)) ||
        fail "the first window appeared after $first_ms ms (limit $limit_ms ms)"
    ((warnings == start_boxes)) || fail "$warnings warning boxes at start; $start_boxes expected"

    eval "$(xdotool getwindowgeometry --shell "$main")"
    [[ "$WIDTH" == 633 && "$HEIGHT" == 600 ]] || fail "window is ${WIDTH}x$HEIGHT, expected 633x600"
    menu=""
    for _ in $(seq 50); do
        menu=$(find_menu_height)
        [[ -n "$menu" ]] && break
        sleep 0.1
    done
    [[ -n "$menu" ]] || fail "the board was not drawn"
    ((menu >= 10 && menu <= 50)) || fail "implausible menu bar height $menu"
    expect_no_box "after start"

    # 対局 > 対局(人間) > スタート, from the menu bar with the keyboard.
    xdotool mousemove 22 $((menu / 2)) click 1
    await_menus 1
    xdotool key Down
    sleep 0.1
    xdotool key Right
    await_menus 2
    xdotool key Return
    local box
    box=$(await_box) || fail "スタート showed no box"
    [[ "$(title_of "$box")" == " " ]] || fail "$(describe_box "$box") appeared instead of the first player's turn"
    close_box "${box%% *}"
    sleep 0.3
    expect_no_box "after the first player's turn was announced"
    (($(menus) == 0)) || fail "the menu is still open"

    # A press on the down magnet moves the prince and lets the pieces fall.
    board_shot "$case_dir.before.png"
    xdotool mousemove "$magnet_x" $((menu + 515)) click 1
    local previous="$case_dir.before.png" now changed=0 moved=0
    for i in $(seq 60); do
        sleep 0.2
        now="$case_dir.board$i.png"
        board_shot "$now"
        changed=$(pixels_differing "$case_dir.before.png" "$now")
        # Moved once the pieces have fallen (the prince's step alone changes about 1,500
        # pixels, the fall over 30,000) and the board has stopped changing.
        if ((changed > 10000)) && [[ "$previous" != "$case_dir.before.png" ]] &&
            (($(pixels_differing "$previous" "$now") == 0)); then
            moved=1
            break
        fi
        local open
        open=$(boxes | head -1)
        if ((game_unsaved == 1)) && [[ "$(title_of "$open")" == "棋譜" ]]; then
            close_box "${open%% *}"
            game_unsaved=2
            open=""
        fi
        [[ -z "$open" ]] || break
        previous=$now
    done
    ((game_unsaved != 1)) || fail "the unwritable game in progress was not told after the move"
    expect_no_box "after the press on the magnet"
    ((moved)) || fail "the board did not change after the press on the magnet ($changed pixels differ)"

    # The peak resident memory, whatever the program found (a sanitizer build's shadow memory
    # would dwarf the figure: it is not checked there).
    local peak_kb
    peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    if [[ -n "$peak_kb" ]] && ! grep -q asan <<<"$(ldd "$program" 2>/dev/null)"; then
        ((peak_kb < 150 * 1024)) || fail "peak resident memory $((peak_kb / 1024)) MB, over 150 MB"
    fi

    # Esc ends the program with status 0.
    xdotool windowfocus --sync "$main" key Escape
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        expect_no_box "after Esc"
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program still runs after Esc"
    wait "$pid"
    local status=$?
    pid=""
    ((status == 0)) || fail "the program exited with status $status"

    # Nothing half-written may stay behind.
    local leftovers
    leftovers=$(find . -maxdepth 1 -name 'Quorvel.ini.tmp-*' | head -3)
    [[ -z "$leftovers" ]] || fail "temporary settings files were left: $leftovers"
    if [[ -n "$check" ]]; then
        local problem
        problem=$($check) || fail "$problem"
    fi
    echo "ok   [$case_name] $warnings warning box(es) at start, first window after $first_ms ms, peak RSS $((peak_kb / 1024)) MB, board changed by $changed pixels"
}

# ---- Run every case. --------------------------------------------------------------------------

failed=()
number=0
for entry in "${cases[@]}"; do
    IFS='|' read -r name start_boxes setup check <<<"$entry"
    name=${name%"${name##*[! ]}"}
    # QUORVEL_FAULTS_CASES, a regular expression, picks cases by name.
    [[ -z "${QUORVEL_FAULTS_CASES:-}" ]] || grep -Eq -- "$QUORVEL_FAULTS_CASES" <<<"$name" || continue
    number=$((number + 1))
    began=$SECONDS
    (run_case "$name" "${start_boxes// /}" "$setup" "$(echo "$check" | tr -d ' ')" "$number")
    status=$?
    echo "     $((SECONDS - began)) s"
    ((status == 0)) || failed+=("$name")
done

((number)) || { echo "FAIL: no case matches '${QUORVEL_FAULTS_CASES:-}'"; exit 1; }
echo "$((number - ${#failed[@]})) passed, ${#failed[@]} failed"
if ((${#failed[@]})); then
    printf 'FAIL: %s\n' "${failed[@]}"
    exit 1
fi
echo "PASS"
