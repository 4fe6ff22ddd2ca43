#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang into fuzz-build/ and runs each one, starting
# from the committed seeds in fuzz/corpus/<name>/. New inputs the fuzzer finds go to
# fuzz-build/corpus/<name>/, crashing inputs to fuzz-build/artifacts/<name>/.
#
# Usage: tools/run_fuzzers.sh [seconds-per-fuzzer]    (default 60)
#          explores for that long with a fresh random seed each time: for finding new faults.
#        tools/run_fuzzers.sh --fixed
#          one bounded stretch with a set seed and a set number of runs, from the committed
#          seeds only: every machine does the same work along nearly the same path (libFuzzer
#          is not exactly repeatable across runs), and any crash is kept as an artifact to
#          replay. This is what the test command runs in CI.
# Exits non-zero when the build fails or any fuzzer finds a crash, leak or timeout.
set -euo pipefail

fixed=false
seconds=60
if [[ "${1:-}" == "--fixed" ]]; then
    fixed=true
    seconds=600 # only a guard against a machine far slower than expected
elif [[ -n "${1:-}" ]]; then
    seconds="$1"
fi
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds-per-fuzzer | --fixed]" >&2
    exit 2
fi

# Runs of the fixed stretch: about a minute each at the speeds seen on a CI machine.
declare -A fixed_runs=([settings]=1000000 [wav]=40000000 [record]=100000 [payload]=400000 [puzzle]=1000000)
# Memory each fuzzer may use before libFuzzer stops it as a fault.
declare -A rss_limit_mb=([settings]=2048 [wav]=2048 [record]=1024 [payload]=1024 [puzzle]=1024)
fixed_seed=20261208

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/fuzz-build"

mkdir -p "$build"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j2

status=0
for name in settings wav record payload puzzle; do
    fuzzer="$build/${name}_fuzzer"
    corpus="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    log="$build/$name.log"
    mkdir -p "$corpus" "$artifacts"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb="${rss_limit_mb[$name]}"
          -print_final_stats=1 -artifact_prefix="$artifacts/")
    if $fixed; then
        # Inputs found by earlier runs would change what is replayed, so the stretch starts
        # from an empty folder each time, and never re-reads it while running.
        rm -rf "$corpus"
        mkdir -p "$corpus"
        args+=(-seed="$fixed_seed" -runs="${fixed_runs[$name]}" -reload=0)
    fi
    if [[ -f "$root/fuzz/$name.dict" ]]; then
        args+=(-dict="$root/fuzz/$name.dict")
    fi

    if $fixed; then
        echo "== ${name}_fuzzer: ${fixed_runs[$name]} runs from seed $fixed_seed"
    else
        echo "== ${name}_fuzzer: ${seconds}s"
    fi
    # The first corpus folder receives new inputs; the committed seeds are only read.
    if "$fuzzer" "${args[@]}" "$corpus" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
        result="ok"
    else
        result="FAILED (see $log and $artifacts/)"
        status=1
        tail -n 40 "$log" >&2
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
    cov="$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)"
    echo "   ${result}: ${runs:-?} runs, ${rate:-?} per second, ${cov:-cov: ?}, corpus $(ls "$corpus" | wc -l) files"
done
exit "$status"
