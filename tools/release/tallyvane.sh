#!/bin/bash
# Tallyvane on Linux: runs the Windows program under Wine in a Wine prefix of the user's own.
#   tallyvane          opens the main window
#   tallyvane FILE     writes the recorded game's settings to standard output: shown as UTF-8 on a
#                      terminal, the program's own bytes (Shift_JIS) when redirected
set -euo pipefail

# The program's files lie in ../lib/tallyvane beside this script's folder (/usr/lib/tallyvane
# when installed).
here=$(dirname "$(readlink -f "$0")")
program=$(readlink -f "$here/../lib/tallyvane")/tallyvane.exe
data=${XDG_DATA_HOME:-$HOME/.local/share}
export WINEPREFIX=$data/tallyvane/prefix
export WINEDEBUG=-all
# The program needs neither .NET nor an HTML engine: no offer to install them at the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine maps Windows file names to the system's through the locale: without ja_JP.UTF-8 every
# file whose name holds a Japanese character fails to open.
if [ "$(LC_ALL=ja_JP.UTF-8 locale charmap 2>/dev/null)" != "UTF-8" ]; then
  cat >&2 <<'EOF'
tallyvane: ロケール ja_JP.UTF-8 がありません。日本語のファイル名を扱うために必要です。
次のコマンドで作成してから、もう一度起動してください:
    sudo sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
    sudo locale-gen
(または sudo dpkg-reconfigure locales で ja_JP.UTF-8 UTF-8 を選んでください)

tallyvane: the locale ja_JP.UTF-8 is not generated. Tallyvane needs it for
Japanese file names. Generate it with the commands above (or choose
"ja_JP.UTF-8 UTF-8" in "sudo dpkg-reconfigure locales"), then start again.
EOF
  exit 1
fi
export LC_ALL=ja_JP.UTF-8

# The first start makes the prefix. Wine draws the caption buttons of its window frames with
# the Marlett font, which it reads only from the prefix's font folder: Wine's own fonts are
# copied there.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "tallyvane: 初回の起動です。Wine の環境を作成しています ($WINEPREFIX)..." >&2
  echo "tallyvane: first start: making the Wine prefix $WINEPREFIX..." >&2
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/"
fi

if [ $# -eq 0 ]; then
  exec wine "$program"
fi

file=$1
if [ -e "$file" ]; then
  file=$(winepath -w "$(readlink -f "$file")")
fi
# The program writes Shift_JIS: a terminal is given UTF-8, anything else the bytes themselves.
dump() {
  if [ -t 1 ]; then
    wine "$program" "$file" | iconv -f CP932 -t UTF-8
  else
    wine "$program" "$file"
  fi
}
if [ -t 2 ]; then
  dump 2> >(iconv -f CP932 -t UTF-8 >&2)
  wait $!
else
  dump
fi
