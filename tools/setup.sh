#!/bin/bash
# Shared by run.sh and test.sh: installs what is missing (Debian packages only) and builds.
# Usage: source tools/setup.sh; tv_install; tv_build_windows; tv_build_native
set -euo pipefail

TV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TV_BUILD=${TV_BUILD:-$TV_ROOT/build}
TV_WIN=$TV_BUILD/win
TV_NATIVE=$TV_BUILD/native

TV_PACKAGES=(
  cmake ninja-build g++ pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  googletest zlib1g-dev libxml2-dev libexpat1-dev libpugixml-dev xsltproc valgrind
  wine wine64 xvfb xauth x11-utils imagemagick fonts-ipafont-gothic
)

tv_install() {
  local missing=()
  for p in "${TV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

tv_build_windows() {
  if [ ! -f "$TV_WIN/build.ninja" ]; then
    cmake -S "$TV_ROOT" -B "$TV_WIN" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$TV_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  cmake --build "$TV_WIN" -- -j"$(nproc)" "$@"
}

tv_build_native() {
  if [ ! -f "$TV_NATIVE/build.ninja" ]; then
    cmake -S "$TV_ROOT" -B "$TV_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$TV_NATIVE" -- -j"$(nproc)" "$@"
}

# The Wine prefix of the Windows build, made once (fonts must be installed before).
tv_wine_prefix() {
  export WINEPREFIX=$TV_WIN/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (once)..."
    LC_ALL=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # No window manager runs under Xvfb: Wine then places and frames its windows itself instead of
  # waiting 2 s for a manager at every window that closes.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    LC_ALL=ja_JP.UTF-8 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
}
