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
  googletest libgtest-dev zlib1g-dev libxml2-dev libexpat1-dev libpugixml-dev xsltproc valgrind
  wine wine64 xvfb xauth x11-utils imagemagick fonts-ipafont-gothic fonts-wine locales
  unzip lintian
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
  # Wine maps Windows file names to the host's through the host's locale: without this one every
  # name with a Japanese character fails to open.
  if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
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
  # The tests' own home (see tv_add_test): made with it, the prefix's documents folder and desktop
  # lie there too, inside the build tree.
  mkdir -p "$TV_WIN/home/.local/share"
  HOME=$TV_WIN/home tv_prepare_prefix
  # A crashing test ends at once instead of waiting for someone to close Wine's crash dialog.
  tv_prefix_setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0 '"ShowCrashDialog"=dword:00000000'
}

# Makes the prefix $WINEPREFIX once and gives it what every prefix of this project needs.
tv_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once)..."
    LC_ALL=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Wine draws the caption buttons of the frames it draws itself with Marlett, which it reads
  # only from the prefix's font folder.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/"
  fi
  # No window manager runs under Xvfb: Wine then places and frames its windows itself instead of
  # waiting 2 s for a manager at every window that closes.
  tv_prefix_setting 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N '"Managed"="N"'
  # Fonts that draw the underscores of file names, as the launcher of the Debian package sets
  # them in its prefix.
  tv_prefix_import "$TV_ROOT/tools/release/prefix.reg" '"MS UI Gothic"="IPAPGothic"'
}

# tv_prefix_setting KEY NAME TYPE DATA LINE: sets a value of the prefix's user registry unless
# user.reg already holds LINE.
tv_prefix_setting() {
  if ! grep -qF "$5" "$WINEPREFIX/user.reg" 2>/dev/null; then
    LC_ALL=ja_JP.UTF-8 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# tv_prefix_import FILE LINE: imports a registry file written in UTF-8 into the prefix unless
# user.reg already holds LINE.
tv_prefix_import() {
  if ! grep -qF "$2" "$WINEPREFIX/user.reg" 2>/dev/null; then
    local temp=$WINEPREFIX/drive_c/windows/temp/tallyvane.reg
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$1"; } > "$temp"
    LC_ALL=ja_JP.UTF-8 wine regedit /S 'C:\windows\temp\tallyvane.reg' >/dev/null 2>&1 || true
    wineserver -w
    rm -f "$temp"
  fi
}

# An X display of the calling script's own (DISPLAY), on a free number that Xvfb picks itself,
# so that scripts started side by side never take the same one; tv_display_end stops it.
TV_XVFB_PID=
tv_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  TV_XVFB_PID=$!
  for _ in $(seq 1 300); do
    [ -s "$number" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$number")"
  rm -f "$number"
}

tv_display_end() {
  if [ -n "$TV_XVFB_PID" ]; then kill "$TV_XVFB_PID" 2>/dev/null || true; fi
}

# An X display and one persistent wineserver for the prefix, both stopped when the calling script
# exits.
tv_wine_session() {
  trap tv_wine_session_end EXIT
  tv_display
  wineserver -k 2>/dev/null || true
  wineserver -p
  # Wine's own background processes start with the first program; start them here with no output
  # attached, or they would hold the first test's output pipe open for as long as they run.
  "$TV_WIN/wine-run" cmd /c exit >/dev/null 2>&1 </dev/null
}

tv_wine_session_end() {
  wineserver -k 2>/dev/null || true
  tv_display_end
}
