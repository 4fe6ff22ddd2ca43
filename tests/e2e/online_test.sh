#!/bin/bash
# End-to-end network games: two real programs, each on its own virtual X server with its own
# folder and HOME, play over a private Prosody on 127.0.0.1.
#
# game:    player 1 signs in from the command line, player 2 through 接続…; player 1 invites
#          through 招待…, player 2 accepts; they play 上 下 左 上 (as 先手 sees the board), which
#          後手 (player 2) wins on move 4. After move 2 a third account sends player 2 the next
#          move for the game's id with the right number and hash: it is refused, logged and not
#          played. Then the server is stopped, player 1 makes move 3 while it is down, the server
#          comes back, the move arrives, and player 2 wins. Both show the win box; both records
#          hold the same moves (player 2's as its own turned board sees them) and result.
# decline: player 1 invites, player 2 answers 断る; player 1 is told "… は対局を断りました。".
#
# usage: online_test.sh game|decline PROGRAM RUN_DIR FORGE PROSODY_SH
# Exit codes: 0 pass, 1 fail, 77 skipped (no xvfb-run, Xvfb or prosody).

set -u
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
scenario=${1:?scenario}
for tool in Xvfb prosody; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
e2e_prepare "$2" "$3"
QUORVEL_FORGE=$(realpath "$4") QUORVEL_PROSODY_SH=$(realpath "$5")
export QUORVEL_FORGE QUORVEL_PROSODY_SH QUORVEL_SCENARIO=$scenario

e2e_in_xvfb <<'INNER'
set -u
source "$QUORVEL_E2E_LIB"
cd "$QUORVEL_WORK" || exit 1
server=$QUORVEL_WORK/server
first_display=$DISPLAY
xvfb2=""

cleanup() {
    kill "${pid:-}" "${pids[1]:-}" "${pids[2]:-}" 2>/dev/null
    "$QUORVEL_PROSODY_SH" stop "$server"
    [[ -n "$xvfb2" ]] && kill "$xvfb2" 2>/dev/null
}
trap cleanup EXIT

# Failing shows both programs' logs and the server's.
fail() {
    echo "FAIL: $*"
    local n
    for n in 1 2; do
        [[ -s $QUORVEL_WORK/p$n/program.log ]] &&
            { echo "--- player $n output:"; cat "$QUORVEL_WORK/p$n/program.log"; }
    done
    [[ -s $server/prosody.log ]] && { echo "--- server log (last 30 lines):"; tail -30 "$server/prosody.log"; }
    pid=""
    exit 1
}

port=$("$QUORVEL_PROSODY_SH" start "$server" 3) || fail "the server did not start"
password() { awk -v u="$1" '$1 == u { print $2 }' "$server/passwords"; }

# The second virtual screen, at a random display number that is free.
for try in 1 2 3 4 5 6 7 8 9 10; do
    number=$((100 + RANDOM % 800))
    [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]] && continue
    Xvfb ":$number" -noreset -screen 0 1024x768x24 >xvfb2.log 2>&1 &
    xvfb2=$!
    DISPLAY=:$number e2e_poll 10 xdotool getmouselocation >/dev/null 2>&1 && break
    kill "$xvfb2" 2>/dev/null
    xvfb2=""
done
[[ -n "$xvfb2" ]] || fail "no second virtual screen started"
second_display=:$number

declare -a pids windows menus tops
# as N: the lib's helpers act on player N from now on: its screen, window and folder.
as() {
    if [[ -n "${current:-}" ]]; then
        pids[current]=$pid windows[current]=$window menus[current]=${menu:-} tops[current]=${top:-}
    fi
    current=$1
    pid=${pids[$1]:-} window=${windows[$1]:-} menu=${menus[$1]:-} top=${tops[$1]:-}
    [[ $1 == 1 ]] && export DISPLAY=$first_display || export DISPLAY=$second_display
    cd "$QUORVEL_WORK/p$1" || fail "no folder p$1"
}

# launch N ARGS...: starts player N's program in its own folder and HOME.
launch() {
    local n=$1
    shift
    mkdir -p "$QUORVEL_WORK/p$n/home"
    cp "$QUORVEL_WORK"/*.wav "$QUORVEL_WORK/p$n/"
    as "$n"
    HOME=$QUORVEL_WORK/p$n/home SSL_CERT_FILE=$server/cert.pem \
        "$QUORVEL_PROGRAM" "$@" >>program.log 2>&1 &
    pid=$!
    e2e_poll 30 e2e_find_window || fail "player $n: no window within 30 s"
    e2e_poll 15 e2e_find_board || fail "player $n: no board within 15 s"
    e2e_note "player $n started"
}

# A box named Quorvel (the program's own questions and notices) besides any menu: sets box.
quorvel_box() {
    box=$(e2e_other_windows | awk '$2 == "Quorvel" && NF == 2 { print $1; exit }')
    [[ -n "$box" ]]
}

# online_item Y: 対局 → 対局(ネット) → the item at row Y (接続… 111, 招待… 133, 切断 155).
online_item() {
    local try
    for try in 1 2 3; do
        xdotool mousemove 22 8 click 1
        sleep 0.4
        xdotool mousemove 45 112 click 1
        sleep 0.4
        if (($(e2e_menu_count) >= 2)); then
            xdotool mousemove 260 "$1" click 1
            return 0
        fi
        xdotool key Escape key Escape
        sleep 0.5
    done
    fail "player $current: 対局 → 対局(ネット) opened no submenu; windows: $(e2e_other_windows)"
}

# dialog TITLE TEXT...: fills the dialog titled TITLE, one field after another, and accepts it.
dialog() {
    local title=$1 field
    shift
    e2e_wait_box "$title" 15 || fail "player $current: no dialog $title; windows: $(e2e_other_windows)"
    sleep 0.3
    for field in "$@"; do
        [[ $field == "$1" ]] || xdotool key Tab
        xdotool type --delay 20 "$field"
    done
    xdotool key Return
    e2e_poll 10 e2e_window_gone "$box" || fail "player $current: the dialog $title stayed open"
}

connected() { grep -q 'online: online$' program.log; }

# close_box N TITLE WHAT: player N shows the box titled TITLE; Return closes it.
close_box() {
    as "$1"
    e2e_wait_box "$2" 30 || fail "player $1: no box titled '$2' ($3); windows: $(e2e_other_windows)"
    sleep 0.3
    e2e_shot box.ppm
    e2e_keep box.ppm "p$1-${3// /-}"
    e2e_close_box
    e2e_note "player $1: $3"
}

# A board line turned half round, as player 2 sees player 1's board.
turned() { rev <<<"$1"; }

# While the server is away either side may be told that the friend left and came back; such a
# notice is closed with Return.
notice_closed() {
    local w
    w=$(e2e_other_windows | awk '$2 == "対局(ネット)" { print $1; exit }')
    [[ -n "$w" ]] || return 0
    xdotool windowfocus --sync "$w" key Return 2>/dev/null
    e2e_poll 10 e2e_window_gone "$w" || fail "player $current: a notice did not close on Return"
    e2e_note "player $current: a notice closed"
}

# expect N BOARD WHAT: player N's screen shows BOARD (as it sees its own board).
expect() {
    local got="" want=$2
    as "$1"
    board_is() {
        notice_closed
        e2e_shot now.ppm
        got=$(e2e_board_line now.ppm)
        [[ "$got" == "$want" ]]
    }
    e2e_poll "${4:-10}" board_is || fail "player $1, $3: expected $2, saw $got"
    e2e_keep now.ppm "p$1-${3// /-}"
}

# move N DIRECTION [won]: player N presses DIRECTION as it sees its board; both boards follow.
# DIRECTION is turned for 先手's board when player 2 presses. A winning move first shows the win
# box on both screens, over the board's middle; the boards are read once it is closed.
move() {
    local seen=$2
    if [[ $1 == 2 ]]; then
        case $2 in up) seen=down ;; down) seen=up ;; left) seen=right ;; right) seen=left ;; esac
    fi
    board=$(e2e_after "$board" "$seen")
    as "$1"
    e2e_press_magnet "$2"
    if [[ ${3:-} == won ]]; then
        close_box 1 終了 "the win box"
        close_box 2 終了 "the win box"
    fi
    expect "$1" "$([[ $1 == 1 ]] && echo "$board" || turned "$board")" "move $2 pressed"
    expect "$(($1 == 1 ? 2 : 1))" "$([[ $1 == 1 ]] && turned "$board" || echo "$board")" "move $2 received" 20
    e2e_note "player $1: $2 played on both screens"
}

mkdir -p p1 p2
password user1 >p1/password
chmod 600 p1/password
launch 1 --account user1@localhost --password-file password --server "localhost:$port" \
    --ca-file "$server/cert.pem"
e2e_poll 30 connected || fail "player 1 did not get online from the command line"
launch 2
online_item 111
dialog 接続 user2@localhost "$(password user2)" "localhost:$port"
e2e_poll 30 connected || fail "player 2 did not get online through 接続…"
e2e_note "both online"

as 1
online_item 133
dialog 招待 user2@localhost
as 2
e2e_poll 30 quorvel_box || fail "player 2 was not asked about the invitation; windows: $(e2e_other_windows)"

if [[ $QUORVEL_SCENARIO == decline ]]; then
    xdotool windowfocus --sync "$box" key Escape 2>/dev/null
    e2e_poll 10 e2e_window_gone "$box" || fail "player 2: the invitation stayed open on Escape"
    as 1
    e2e_poll 30 quorvel_box || fail "player 1 was not told of the refusal; windows: $(e2e_other_windows)"
    e2e_shot declined.ppm
    e2e_keep declined.ppm p1-declined
    grep -q 'online: taking up the game' program.log ../p2/program.log &&
        fail "a declined invitation began a game"
    xdotool windowfocus --sync "$box" key Return 2>/dev/null
    e2e_poll 10 e2e_window_gone "$box" || fail "player 1: the refusal box stayed open"
    e2e_shot now.ppm
    [[ "$(e2e_board_line now.ppm)" == "$E2E_FIRST_POSITION" ]] || fail "player 1's board changed"
    e2e_note "declined"
    exit 0
fi

xdotool windowfocus --sync "$box" key Return 2>/dev/null
close_box 1 " " "あなたの番です closed"
close_box 2 " " "相手の番です closed"
board=$E2E_FIRST_POSITION
expect 2 "$board" "first position"
move 1 up
move 2 up

game_id=$(sed -n 's/^対局ID：\([0-9a-f]*\).*/\1/p' "$QUORVEL_WORK/p1/Quorvel.kifu")
[[ ${#game_id} == 32 ]] || fail "no game id in player 1's record: $(cat "$QUORVEL_WORK/p1/Quorvel.kifu")"
as 2
nice "$QUORVEL_FORGE" "$server" user3 user2@localhost "$game_id" ud r >"$QUORVEL_WORK/forge.log" 2>&1 ||
    fail "the forged move was not refused: $(cat "$QUORVEL_WORK/forge.log")"
e2e_poll 10 grep -q 'ignored from user3@localhost' program.log ||
    fail "player 2 did not log the forged move"
sleep 1
expect 2 "$(turned "$board")" "after the forged move"
expect 1 "$board" "after the forged move"
e2e_note "forged move refused: $(tail -1 "$QUORVEL_WORK/forge.log")"

"$QUORVEL_PROSODY_SH" stop "$server"
as 1
e2e_poll 30 grep -q 'online: offline' program.log || fail "player 1 did not see the server go"
e2e_note "server stopped"
board=$(e2e_after "$board" left)
e2e_press_magnet left
expect 1 "$board" "move left while the server is down"
"$QUORVEL_PROSODY_SH" start "$server" 3 >/dev/null || fail "the server did not start again"
e2e_note "server started again"
expect 2 "$(turned "$board")" "move left after the restart" 90
move 2 down won
# Player 2's record holds its own directions: turned round, it is player 1's.
moves() { sed -n 's/^ *[0-9][0-9]* \(▲\|△\)\(上\|下\|左\|右\).*/\2/p' "$1" | paste -sd' '; }
result() { grep '^まで' "$1"; }
one=$(moves "$QUORVEL_WORK/p1/Quorvel.kifu")
two=$(moves "$QUORVEL_WORK/p2/Quorvel.kifu" |
    sed 's/上/U/g; s/下/上/g; s/U/下/g; s/左/L/g; s/右/左/g; s/L/右/g')
[[ "$one" == "上 下 左 上" && "$two" == "$one" ]] ||
    fail "the records differ: player 1 '$one', player 2 turned '$two'"
[[ -n "$(result "$QUORVEL_WORK/p1/Quorvel.kifu")" &&
    "$(result "$QUORVEL_WORK/p1/Quorvel.kifu")" == "$(result "$QUORVEL_WORK/p2/Quorvel.kifu")" ]] ||
    fail "the results differ: '$(result "$QUORVEL_WORK/p1/Quorvel.kifu")' and '$(result "$QUORVEL_WORK/p2/Quorvel.kifu")'"
e2e_note "records agree: $one, $(result "$QUORVEL_WORK/p1/Quorvel.kifu")"
INNER
