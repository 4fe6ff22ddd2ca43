#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_packages.sh
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF \
  -DQUORVEL_BUILD_BENCH=OFF > /dev/null
cmake --build build-play -j"$(nproc)" --target quorvel quorvel_sounds
# The game opens its sound files and its settings file in the current directory.
cd build-play/run
exec ./quorvel
