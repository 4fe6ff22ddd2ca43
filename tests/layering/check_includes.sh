#!/usr/bin/env bash
# The house reads from the ground up: each folder of the program includes only from itself and
# the folders below it. Prints every include that reaches up and fails if there is one.
# Usage: check_includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"

declare -A may_include=(
    [rules]="rules"
    [ai]="rules ai"
    [storage]="rules storage"
    [sound]="rules storage sound"
    [net]="rules net"
    [game]="rules ai storage game"
    [ui]="rules ai storage sound game net ui"
)
folders="${!may_include[*]}"

status=0
for folder in $folders; do
    while IFS=: read -r file line text; do
        included=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
        # Only the project's own folders count; "QtCore/..." and the like are not ours.
        [[ " $folders " == *" $included "* ]] || continue
        if [[ " ${may_include[$folder]} " != *" $included "* ]]; then
            echo "$file:$line: $folder/ may not include $included/: $text"
            status=1
        fi
    done < <(grep -rnE '^\s*#\s*include "[a-z_]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done
exit $status
