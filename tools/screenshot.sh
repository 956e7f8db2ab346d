#!/bin/bash
# Starts the program under Xvfb and saves a PNG picture of its main window.
# Usage: tools/screenshot.sh [OUTPUT.png]    (default: $TV_BUILD/screenshot.png)
#        tools/screenshot.sh --record RECORD FOLDER
#   The second form shows the record in the tree, then its property sheet, then the version
#   dialog, with the program's own window code (build/win/bin/showcase.exe), and saves
#   FOLDER/tree.png, FOLDER/properties.png and FOLDER/about.png.
#        tools/screenshot.sh --find TEXT FOLDER RECORD...
#   The third form lists the records, searches them for TEXT with Edit > 検索 and saves
#   FOLDER/find.png (the search dialog over the list) and FOLDER/found.png (the rows found).
#        tools/screenshot.sh --columns FOLDER RECORD...
#   The fourth form lists the records with View > 記録の内容を列に表示 checked, sorted by the
#   players, and saves FOLDER/columns.png.
# Needs the Windows build ($TV_BUILD/win, made by ./test.sh). The picture is taken in a Wine
# prefix of its own, where Wine draws the window frames itself (there is no window manager).
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build=$TV_BUILD
program=$build/win/bin/tallyvane.exe
record=
find=
columns=
if [ "${1:-}" = "--record" ]; then
  record=$(realpath "$2")
  folder=$(realpath "$3")
  program=$build/win/bin/showcase.exe
elif [ "${1:-}" = "--find" ]; then
  find=$2
  folder=$(realpath "$3")
  shift 3
  records=()
  for path in "$@"; do records+=("Z:$(realpath "$path")"); done
  program=$build/win/bin/showcase.exe
elif [ "${1:-}" = "--columns" ]; then
  columns=1
  folder=$(realpath "$2")
  shift 2
  records=()
  for path in "$@"; do records+=("Z:$(realpath "$path")"); done
  program=$build/win/bin/showcase.exe
else
  out=${1:-$build/screenshot.png}
fi
if [ ! -f "$program" ]; then
  echo "screenshot.sh: $program is missing; build it first with ./test.sh" >&2
  exit 1
fi

export WINEPREFIX=$build/screenshot-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the Japanese code page from this locale name; the shell itself need not know it.
japanese() { env LC_ALL=ja_JP.UTF-8 TZ=JST-9 "$@"; }
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

tv_prepare_prefix

if [ -n "$record" ]; then
  pictures=$(mktemp -d)
  japanese wine "$program" "Z:$record" "Z:$pictures" </dev/null >/dev/null 2>&1
  for name in tree properties about; do
    convert "$pictures/$name.bmp" "$folder/$name.png"
    echo "$folder/$name.png"
  done
  rm -rf "$pictures"
  exit 0
fi

if [ -n "$find" ]; then
  pictures=$(mktemp -d)
  japanese wine "$program" --find "$find" "Z:$pictures" "${records[@]}" </dev/null >/dev/null 2>&1
  for name in find found; do
    convert "$pictures/$name.bmp" "$folder/$name.png"
    echo "$folder/$name.png"
  done
  rm -rf "$pictures"
  exit 0
fi

if [ -n "$columns" ]; then
  pictures=$(mktemp -d)
  japanese wine "$program" --columns "Z:$pictures" "${records[@]}" </dev/null >/dev/null 2>&1
  convert "$pictures/columns.bmp" "$folder/columns.png"
  echo "$folder/columns.png"
  rm -rf "$pictures"
  exit 0
fi

japanese wine "$program" </dev/null >/dev/null 2>&1 &
window=
for _ in $(seq 1 150); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Tallyvane Version 0.12"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot.sh: the main window did not appear" >&2
  exit 1
fi
sleep 2
import -window "$window" "$out"
echo "$out"
