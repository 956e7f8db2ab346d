#!/bin/bash
# Tallyvane on Linux: runs the Windows program under Wine in a Wine prefix of the user's own.
#   tallyvane          opens the main window
#   tallyvane FILE     writes the recorded game's settings to standard output, as UTF-8
set -euo pipefail

# The program's files lie in ../lib/tallyvane beside this script's folder (/usr/lib/tallyvane
# when installed).
here=$(dirname "$(readlink -f "$0")")
program=$(readlink -f "$here/../lib/tallyvane")/tallyvane.exe
# A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directories say.
data=${XDG_DATA_HOME:-}
[[ $data == /* ]] || data=$HOME/.local/share
home=$data/tallyvane
export WINEPREFIX=$home/prefix
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

# The Windows C runtime reads TZ only as a name of three letters, the hours west of UTC and an
# optional name of the summer time ("JST-9", "CET-1CEST"), whose dates it takes from the rules
# of the United States; a zone's name such as Asia/Tokyo it takes for UTC. The rule on the last
# line of the zone's file is that form once its names are cut to three letters ("AEST-10AEDT,..."
# would be read as AES and an offset of 0; a numeric name "<+07>" becomes STD, or DST for the
# summer time), and the host's C library, which Wine's own clock follows, reads it too. Without
# TZ the runtime asks the system, which Wine answers with the host's own zone.
runtime_zone() {
  local rule=$1 zone=${1#:}
  [[ $zone == /* ]] || zone=${TZDIR:-/usr/share/zoneinfo}/$zone
  if [ -f "$zone" ]; then
    rule=$(tail -n 1 -- "$zone" | LC_ALL=C grep -aE '^[A-Za-z<][-+A-Za-z0-9<>,./:]*$' || true)
    [ -n "$rule" ] || rule=$1
  fi
  local name='(<[^>]*>|[A-Za-z]+)' offset='([-+]?[0-9]+(:[0-9]+)*)'
  if [[ $rule =~ ^$name$offset($name(.*))?$ ]]; then
    local std=${BASH_REMATCH[1]} hours=${BASH_REMATCH[2]} dst=${BASH_REMATCH[5]} rest=${BASH_REMATCH[6]}
    rule=$(three_letters "$std" STD)$hours
    [ -z "$dst" ] || rule+=$(three_letters "$dst" DST)$rest
  fi
  printf '%s\n' "$rule"
}
three_letters() {
  local name=${1#<}
  if [[ $name =~ ^[A-Za-z]{3} ]]; then printf '%s' "${name:0:3}"; else printf '%s' "$2"; fi
}
if [ -n "${TZ:-}" ]; then
  TZ=$(runtime_zone "$TZ")
  export TZ
fi

# What the launcher sets in a prefix (prefix.reg beside the program: fonts that draw the
# underscores of file names), imported unless the prefix holds its first value.
settings=$(readlink -f "$here/../lib/tallyvane")/prefix.reg
has_settings() { grep -qF '"MS UI Gothic"="IPAPGothic"' "$1/user.reg" 2>/dev/null; }
import_settings() {
  local temp=$1/drive_c/windows/temp/tallyvane.reg
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings"; } > "$temp" &&
    WINEPREFIX=$1 wine regedit /S 'C:\windows\temp\tallyvane.reg' >/dev/null 2>&1
  local status=$?
  rm -f "$temp"
  return $status
}

# The first start makes the prefix. It is made in a folder beside its place and moved there
# only when whole: wineboot has succeeded, the settings are in, and the wineserver has ended,
# which writes the registry. Wine draws the caption buttons of its window frames with the
# Marlett font, which it reads only from the prefix's font folder: Wine's own fonts are copied
# there. A start that is interrupted leaves the folder behind; the next start removes it and
# makes the prefix anew. Starts at the same time take turns.
fonts() {
  mkdir -p "$1/drive_c/windows/Fonts" && cp /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"
}
make_prefix() {
  WINEPREFIX=$1 wineboot -i >/dev/null 2>&1 && import_settings "$1" && WINEPREFIX=$1 wineserver -w &&
    has_settings "$1" && fonts "$1"
}
if [ ! -d "$WINEPREFIX" ]; then
  mkdir -p "$home"
  exec 9> "$home/prefix.lock"
  flock 9
  if [ ! -d "$WINEPREFIX" ]; then
    for unfinished in "$home"/prefix.new.*; do
      [ -d "$unfinished" ] || continue
      WINEPREFIX=$unfinished wineserver -k >/dev/null 2>&1 9>&- || true
      rm -rf "$unfinished"
    done
    echo "tallyvane: 初回の起動です。Wine の環境を作成しています ($WINEPREFIX)..." >&2
    echo "tallyvane: first start: making the Wine prefix $WINEPREFIX..." >&2
    new=$(mktemp -d "$home/prefix.new.XXXXXX")
    # The lock is not handed to Wine's processes, which may outlive the launcher.
    if ! make_prefix "$new" 9>&-; then
      WINEPREFIX=$new wineserver -k >/dev/null 2>&1 9>&- || true
      rm -rf "$new"
      echo "tallyvane: Wine の環境を作成できませんでした。もう一度起動してください。" >&2
      echo "tallyvane: the Wine prefix could not be made; start again." >&2
      exit 1
    fi
    mv -T "$new" "$WINEPREFIX"
  fi
  exec 9>&-
fi
# A prefix made by an earlier version gets what this one adds.
[ -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] || fonts "$WINEPREFIX"
has_settings "$WINEPREFIX" || import_settings "$WINEPREFIX" || true

if [ $# -eq 0 ]; then
  exec wine "$program"
fi

file=$1
if [ -e "$file" ]; then
  file=$(winepath -w "$(readlink -f "$file")")
fi
# The program writes Shift_JIS; its output and its messages are given as UTF-8, on a terminal or
# not. Bytes that code page 932 does not hold become U+FFFD and the rest follows; the exit status
# is the program's. Both are taken from files: Wine's background processes would hold a pipe
# open for seconds after the program has ended.
to_utf8() {
  perl -MEncode -e 'binmode STDOUT; local $/; my $text = <STDIN>;
    print encode("UTF-8", decode("cp932", $text // "", sub { "\x{FFFD}" }))'
}
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
status=0
wine "$program" "$file" > "$output/out" 2> "$output/err" || status=$?
to_utf8 < "$output/out"
to_utf8 < "$output/err" >&2
exit "$status"
