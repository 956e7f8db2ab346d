#!/bin/bash
# Installs what is missing, builds the program and runs it under Wine.
#   ./run.sh                 dumps the settings of samples/castle-duel.rec
#   ./run.sh path/to/game.rec  dumps the settings of that recorded game
#   ./run.sh --window        opens the main window on the current X display
# On a terminal the Shift_JIS output is shown as UTF-8; redirected, it is the program's bytes.
source "$(dirname "$0")/tools/setup.sh"
tv_install
tv_build_windows >/dev/null
tv_wine_prefix
exe=$TV_WIN/bin/tallyvane.exe

if [ "${1:-}" = "--window" ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no X display (DISPLAY is not set); the window needs one, e.g. run it under xvfb-run or a desktop session." >&2
    exit 1
  fi
  exec "$TV_WIN/wine-run" "$exe"
fi

file=${1:-$TV_ROOT/samples/castle-duel.rec}
if [ ! -e "$file" ]; then
  winfile=$file
else
  winfile=$(WINEPREFIX=$WINEPREFIX winepath -w "$(realpath "$file")" 2>/dev/null)
fi
if [ -t 1 ]; then
  "$TV_WIN/wine-run" "$exe" "$winfile" 2> >(iconv -f CP932 -t UTF-8 >&2) | iconv -f CP932 -t UTF-8
else
  "$TV_WIN/wine-run" "$exe" "$winfile"
fi
wineserver -w
