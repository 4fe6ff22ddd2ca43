#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake make pkgconf
  qt6-base-dev libsdl2-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick sox valgrind
  libx11-dev libxext-dev libxtst-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file lintian
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  prosody libstrophe-dev qtkeychain-qt6-dev openssl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi
