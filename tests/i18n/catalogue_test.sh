#!/bin/bash
# The English catalogue i18n/quorvel_en.ts is complete and up to date: refreshed from the
# sources into a scratch copy (as tools/update_translations.sh would), no entry is unfinished
# or has an empty translation. Entries that vanished from the sources are allowed. No Japanese
# literal of the window's or the game object's sources bypasses the catalogue.
#
# usage: catalogue_test.sh SOURCE_DIR LUPDATE
set -u
source_dir=$1
lupdate=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-i18n-XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT

cp "$source_dir/i18n/quorvel_en.ts" "$scratch/" || exit 1
(cd "$source_dir" && "$lupdate" -silent -locations none -extensions cpp,h game ui storage \
    -target-language en -ts "$scratch/quorvel_en.ts") || { echo "FAIL: lupdate failed"; exit 1; }

# One "context|source|translation-tag" line per message; sources and translations in the
# catalogue stay on one line (lupdate writes line breaks as entities).
awk '
    /<name>/ { context = $0; gsub(/.*<name>|<\/name>.*/, "", context) }
    /<source>/ { source = $0; gsub(/.*<source>|<\/source>.*/, "", source) }
    /<translation/ {
        if ($0 ~ /type="(vanished|obsolete)"/) next
        if ($0 ~ /type="unfinished"/ || $0 ~ /<translation><\/translation>/ || $0 ~ /<translation\/>/)
            print "  " context ": " source
    }
    /<numerusform><\/numerusform>|<numerusform\/>/ { print "  " context ": " source " (a plural form)" }' "$scratch/quorvel_en.ts" >"$scratch/missing.txt"

count=$(grep -c '<message' "$scratch/quorvel_en.ts")
if [[ -s "$scratch/missing.txt" ]]; then
    echo "FAIL: texts without English (run tools/update_translations.sh, then translate them):"
    cat "$scratch/missing.txt"
    exit 1
fi
((count > 0)) || { echo "FAIL: the catalogue holds no entry"; exit 1; }

# Japanese texts that would reach the player without going through the catalogue: literals of
# the window's, the game object's and the files' sources outside marking calls
# (see unmarked_texts.pl).
# storage/record_format.cpp and storage/record_text.h hold the record format's own words, written
# into files and never shown.
covered=$(cd "$source_dir" && ls ui/*.cpp ui/*.h game/*.cpp game/*.h storage/*.cpp storage/*.h |
    grep -vxE 'storage/record_format\.cpp|storage/record_text\.h' | tr '\n' ' ')
# shellcheck disable=SC2086  # the globs are meant to expand
(cd "$source_dir" && perl "$(dirname "$(realpath "$0")")/unmarked_texts.pl" \
    "$scratch/quorvel_en.ts" $covered) >"$scratch/unmarked.txt" ||
    { echo "FAIL: the literal scan failed"; exit 1; }
if [[ -s "$scratch/unmarked.txt" ]]; then
    echo "FAIL: Japanese texts shown without translation (mark them with QT_TRANSLATE_NOOP):"
    cat "$scratch/unmarked.txt"
    exit 1
fi
echo "PASS: $count entries, every text of the sources has its English and every Japanese text"
echo "      of ui/, game/ and storage/ is marked or data"
