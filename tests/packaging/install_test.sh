#!/bin/bash
# Installs the built game into a temporary prefix and builds its Debian package, checks that
# every file a desktop needs is in place and valid, and starts the game through the installed
# launcher (and through the launcher of the unpacked package) in a fresh home folder. The package
# must pass lintian without an error or a warning, and both the prefix installation and the
# package (installed with dpkg into a root folder of its own) must leave nothing behind when they
# are removed.
#
# usage: install_test.sh BUILD_DIR CMAKE
# Exit codes: 0 pass, 1 fail, 77 skipped (a validation or X tool is missing).

set -u
build=$(realpath "${1:?build folder}") || exit 1
cmake_command=${2:-cmake}
cpack_command="$(dirname "$cmake_command")/cpack"

for tool in desktop-file-validate appstreamcli xvfb-run xdotool dpkg-deb identify lintian man; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The game must open a real window on the virtual X server.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-install-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every file the installation must hold, below a prefix.
check_tree() {
    local prefix=$1 what=$2
    [[ -x "$prefix/games/quorvel" ]] || fail "$what: games/quorvel launcher missing or not executable"
    [[ ! -e "$prefix/bin" ]] || fail "$what: something was installed in bin/ instead of games/"
    local page="$prefix/share/man/man6/quorvel.6.gz" warnings
    if [[ -f "$page" ]]; then
        warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
        [[ -z "$warnings" ]] || fail "$what: the manual page has faults: $warnings"
        zcat "$page" | grep -q '^\.SH NAME' || fail "$what: the manual page has no NAME section"
    else
        fail "$what: manual page share/man/man6/quorvel.6.gz missing"
    fi
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$prefix/share/doc/quorvel/copyright" 2>/dev/null ||
        fail "$what: share/doc/quorvel/copyright missing or not machine-readable"
    gzip -t "$prefix/share/doc/quorvel/changelog.gz" 2>/dev/null ||
        fail "$what: share/doc/quorvel/changelog.gz missing or damaged"
    [[ -x "$prefix/libexec/quorvel/quorvel" ]] || fail "$what: libexec/quorvel/quorvel missing"
    # Qt and SDL come from the system: the installed program must not search elsewhere.
    if readelf --dynamic "$prefix/libexec/quorvel/quorvel" | grep -Eq '\((RPATH|RUNPATH)\)'; then
        fail "$what: the installed program has a library search path"
    fi
    # The sound module the program loads at start, in its private folder.
    local module="$prefix/lib/games/quorvel/quorvel_sound.so"
    [[ -f "$module" ]] || fail "$what: lib/games/quorvel/quorvel_sound.so missing"
    if readelf --dynamic "$module" | grep -Eq '\((RPATH|RUNPATH)\)'; then
        fail "$what: the sound module has a library search path"
    fi
    local sound
    for sound in 駒打音 磁石音 禁止 その他 BGM; do
        [[ -s "$prefix/share/quorvel/sounds/$sound.wav" ]] || fail "$what: sound $sound.wav missing"
    done
    [[ -s "$prefix/share/quorvel/puzzles.txt" ]] || fail "$what: puzzles.txt missing"
    local desktop="$prefix/share/applications/org.quorvel.Quorvel.desktop"
    local metainfo="$prefix/share/metainfo/org.quorvel.Quorvel.metainfo.xml"
    desktop-file-validate "$desktop" || fail "$what: desktop entry does not validate"
    grep -q '^Categories=Game;BoardGame;$' "$desktop" || fail "$what: desktop categories"
    grep -q '^Name\[ja\]=' "$desktop" || fail "$what: no Japanese name in the desktop entry"
    appstreamcli validate --no-net "$metainfo" >/dev/null || fail "$what: metainfo does not validate"
    [[ -s "$prefix/share/quorvel/screenshots/screenshot.png" ]] || fail "$what: screenshot missing"
    local size icon
    for size in 16 24 32 48 64 128 256; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvel.png"
        if [[ ! -f "$icon" ]]; then
            fail "$what: icon $size missing"
        elif [[ $(identify -format '%wx%h' "$icon") != "${size}x${size}" ]]; then
            fail "$what: icon $size has size $(identify -format '%wx%h' "$icon")"
        fi
    done
}

# Starts the launcher with a fresh home and checks the game comes up in the player's folder.
check_launch() {
    local launcher=$1 what=$2
    local home="$work/home-$what"
    mkdir -p "$home"
    chmod 700 "$home"
    HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" SDL_AUDIODRIVER=dummy \
        xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" bash -c '
            "$1" & pid=$!
            # A sanitizer build starts slowly; allow it half a minute.
            for _ in $(seq 300); do
                xdotool search --name "^Quorvel$" >/dev/null 2>&1 && break
                sleep 0.1
            done
            window=$(xdotool search --name "^Quorvel$" | head -1)
            [[ -n "$window" ]] || { echo "no window"; kill $pid; exit 1; }
            xdotool key --window "$window" Escape
            wait $pid' _ "$launcher" || fail "$what: the launcher did not start and end the game"
    local play="$home/data/quorvel"
    [[ -f "$play/Quorvel.ini" ]] || fail "$what: Quorvel.ini not written in $play"
    local links
    links=$(find "$play" -maxdepth 1 -name '*.wav' -type l | wc -l)
    [[ "$links" -eq 5 ]] || fail "$what: $links sound links in $play, expected 5"
}

# 1. Install into a prefix of our own.
"$cmake_command" --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
check_tree "$work/prefix" prefix
check_launch "$work/prefix/games/quorvel" prefix

# Removing the files the installation lists leaves no file behind (only empty folders).
if [[ -s "$build/install_manifest.txt" ]]; then
    xargs -d '\n' rm -f <"$build/install_manifest.txt"
    left=$(find "$work/prefix" ! -type d | head -5)
    [[ -z "$left" ]] || fail "files left in the prefix after removing the manifest's: $left"
else
    fail "cmake --install wrote no install_manifest.txt"
fi

# 2. The Debian package: contents, dependencies, and the game started from it unpacked.
if [[ -x "$cpack_command" ]] && command -v dpkg-shlibdeps >/dev/null 2>&1; then
    (cd "$work" && "$cpack_command" -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" \
        >/dev/null) || fail "cpack"
    deb=$(find "$work/pkg" -maxdepth 1 -name 'quorvel_*.deb' | head -1)
    if [[ -z "$deb" ]]; then
        fail "no Debian package was made"
    else
        depends=$(dpkg-deb -f "$deb" Depends)
        for lib in libqt6widgets6 libsdl2-2.0-0 fonts-ipafont-mincho; do
            [[ "$depends" == *"$lib"* ]] || fail "package does not depend on $lib: $depends"
        done
        # Debian's own checks: no error and no warning.
        lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1) ||
            fail "lintian reports on the package:"$'\n'"$lintian_out"
        [[ -z "$lintian_out" ]] || echo "lintian notes: $lintian_out"
        dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
        check_tree "$work/root/usr" package
        check_launch "$work/root/usr/games/quorvel" package

        # Installed and purged with dpkg into a root folder of our own: nothing may stay but
        # dpkg's own database.
        dpkg_root=$work/dpkg-root
        mkdir -p "$dpkg_root/var/lib/dpkg/info" "$dpkg_root/var/lib/dpkg/updates"
        : >"$dpkg_root/var/lib/dpkg/status"
        dpkg_in_root=(dpkg --root="$dpkg_root" --force-not-root --log=/dev/null)
        if "${dpkg_in_root[@]}" --force-depends -i "$deb" >"$work/dpkg.log" 2>&1; then
            [[ -x "$dpkg_root/usr/games/quorvel" ]] || fail "dpkg did not install usr/games/quorvel"
            "${dpkg_in_root[@]}" --purge quorvel >>"$work/dpkg.log" 2>&1 || fail "dpkg --purge"
            left=$(find "$dpkg_root" -mindepth 1 ! -path "$dpkg_root/var" \
                ! -path "$dpkg_root/var/lib" ! -path "$dpkg_root/var/lib/dpkg*" | head -5)
            [[ -z "$left" ]] || fail "left after dpkg --purge: $left"
        else
            cat "$work/dpkg.log"
            fail "dpkg -i into $dpkg_root"
        fi
    fi
else
    echo "note: cpack or dpkg-shlibdeps missing, the package is not checked"
fi

if ((failures)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "PASS: installed tree, desktop files, package and launcher"
