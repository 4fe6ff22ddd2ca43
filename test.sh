#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
# With CI=true it also runs a fixed stretch of fuzzing (a set seed and number of runs) and
# runs the tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_packages.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

if [[ "${CI:-}" == "true" ]]; then
  tools/run_fuzzers.sh --fixed

  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_WERROR=ON -DQUORVEL_SANITIZE=ON \
    -DQUORVEL_BUILD_BENCH=OFF -UQUORVEL_TEST_AREAS > /dev/null
  cmake --build build-asan -j"$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2 -LE gui)
  # Qt and the X libraries keep caches alive until exit; the GUI tests run without leak checks.
  (cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j1 -L gui)
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_WERROR=ON -UQUORVEL_TEST_AREAS > /dev/null
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j2
