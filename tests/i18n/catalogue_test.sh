#!/bin/bash
# The English catalogue i18n/quorvel_en.ts is complete and up to date: refreshed from the
# sources into a scratch copy (as tools/update_translations.sh would), no entry is unfinished
# or has an empty translation. Entries that vanished from the sources are allowed.
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
    }' "$scratch/quorvel_en.ts" >"$scratch/missing.txt"

count=$(grep -c '<message' "$scratch/quorvel_en.ts")
if [[ -s "$scratch/missing.txt" ]]; then
    echo "FAIL: texts without English (run tools/update_translations.sh, then translate them):"
    cat "$scratch/missing.txt"
    exit 1
fi
((count > 0)) || { echo "FAIL: the catalogue holds no entry"; exit 1; }
echo "PASS: $count entries, every text of the sources has its English"
