#!/bin/bash
# Runs gtest programs under valgrind's memcheck: any invalid access, use of an uninitialised
# value or leaked block (definite, indirect or possible) fails the run, as does a failing or
# empty test selection.
#
# usage: memcheck.sh SUPPRESSIONS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
# Exit codes: 0 pass, 1 fail, 77 skipped (no valgrind).

set -u

suppressions=${1:?suppressions file}
shift
[[ -f "$suppressions" ]] || { echo "FAIL: no suppressions file $suppressions"; exit 1; }

valgrind=${VALGRIND:-valgrind}
if ! command -v "$valgrind" >/dev/null 2>&1; then
    echo "SKIP: valgrind is not installed (apt-get install valgrind)"
    exit 77
fi

log_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-memcheck-XXXXXX") || exit 1
trap 'rm -rf "$log_dir"' EXIT

failed=0
run=0

check() {
    local program=$1
    shift
    run=$((run + 1))
    local log="$log_dir/valgrind.$run.log" out="$log_dir/tests.$run.log"
    echo "== memcheck: $(basename "$program") $*"
    "$valgrind" --tool=memcheck --leak-check=full \
        --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect,possible \
        --error-exitcode=1 --num-callers=30 \
        --suppressions="$suppressions" --log-file="$log" \
        "$program" "$@" >"$out" 2>&1
    local status=$?

    # The verdict of the tests themselves.
    grep -E '^\[ *(PASSED|FAILED|SKIPPED) *\]|^\[==========\] [0-9]+ tests? from' "$out"
    local passed
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$out")
    # The figures valgrind closes with.
    grep -E 'in use at exit|total heap usage|(definitely|indirectly|possibly) lost:|All heap blocks were freed|ERROR SUMMARY' "$log" |
        sed 's/^==[0-9]*== *//'

    local errors
    errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | tail -1)
    if [[ -z "$errors" ]]; then
        echo "FAIL: valgrind gave no error summary (exit status $status)"
        cat "$log" "$out"
        failed=1
    elif [[ "$errors" != 0 ]]; then
        echo "FAIL: memcheck found $errors errors:"
        cat "$log"
        failed=1
    elif [[ $status != 0 ]]; then
        echo "FAIL: the tests failed (exit status $status):"
        cat "$out"
        failed=1
    elif [[ -z "$passed" || "$passed" == 0 ]]; then
        echo "FAIL: no test ran under $(basename "$program") $*"
        cat "$out"
        failed=1
    fi
}

while (($#)); do
    args=()
    while (($#)) && [[ "$1" != "--" ]]; do
        args+=("$1")
        shift
    done
    (($#)) && shift  # the separator
    ((${#args[@]})) && check "${args[@]}"
done

((run)) || { echo "FAIL: no program given"; exit 1; }
((failed)) && exit 1
echo "PASS"
