# Sourced by the measuring scripts: a private Xvfb (1024×768, 24 bits, no TCP) that picks its
# own free display number, and a wait for a window to show.
#
# start_private_xvfb FOLDER: starts it with its display number written to FOLDER/display and its
# log to FOLDER/xvfb.log; sets xvfb_pid and xvfb_display (":N"). Returns 1, with the log on
# standard error, when no display number came within 5 s.
start_private_xvfb() {
    local folder=$1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $folder/display ]] && break
        sleep 0.05
    done
    if [[ ! -s $folder/display ]]; then
        echo "Xvfb did not start" >&2
        cat "$folder/xvfb.log" >&2
        return 1
    fi
    xvfb_display=:$(head -1 "$folder/display")
}

# enter_private_display FOLDER BUILD: the set-up every measured start shares. Copies the sound
# files of BUILD/run into FOLDER (the program opens them by bare name from the current folder),
# makes FOLDER the current folder, starts the private Xvfb there and points the programs to it,
# with SDL's dummy audio device (SDL mixes into it exactly as into a real one) and none of Qt's
# scaling settings of the caller's environment.
enter_private_display() {
    local folder=$1 build=$2
    cp "$build"/run/*.wav "$folder/" || return 1
    cd "$folder" || return 1
    start_private_xvfb "$folder" || return 1
    export DISPLAY=$xvfb_display SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$folder
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_QPA_PLATFORM
}

# Prints the id of a visible window whose name matches $1, waiting up to $2 tries of 50 ms;
# fails when none came.
visible_window() {
    local id=""
    for _ in $(seq "$2"); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
