#!/usr/bin/env bash
# Installs what the program, its tests and its tools need (Debian 12), then builds.
# Usage: scripts/setup.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n desktop-file-utils appstream
          libsqlite3-dev sqlite3 libpq-dev postgresql libsystemd-dev
          fonts-arphic-uming fonts-arphic-ukai fontconfig
          mdbtools-dev mdbtools libxlsxwriter-dev python3-openpyxl scdoc
          xvfb xauth imagemagick poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# A compiler cache, when there is one, keeps rebuilds of other checkouts short.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
