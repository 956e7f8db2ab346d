#!/bin/bash
# The Debian package as a player on Linux meets it: its control data and contents, lintian's
# verdict, then the package unpacked into a scratch root and its launcher run from there with a
# home of its own: a missing locale, a first start cut short, the first start with its window,
# and the command-line mode. (tests/tools/launcher_test.sh tries the launcher's cases without Wine.)
# Exits non-zero when a check fails.
# Usage: release_deb_test.sh BUILD_DIR SOURCE_DIR   (after cpack, which writes BUILD_DIR/dist)
source "$2/tools/setup.sh"
build=$1
version=0.12
deb=$build/dist/tallyvane_${version}_all.deb
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

echo "== the package"
info=$(dpkg-deb --info "$deb")
echo "$info" | sed -n '/Package:/,$p'
field() { echo "$info" | sed -n "s/^ $1: //p"; }
check "named tallyvane, version $version, for every architecture" \
  test "$(field Package) $(field Version) $(field Architecture)" = "tallyvane $version all"
check "depends on Wine, the Japanese font, the locales and Perl (the launcher's conversion)" \
  test "$(field Depends)" = "wine, wine64, fonts-ipafont-gothic, fonts-wine, locales, perl"
contents=$(dpkg-deb --contents "$deb")
has() { echo "$contents" | grep -qE "^$1 +root/root +[0-9]+ [0-9-]+ [0-9:]+ \./$2\$"; }
check "the launcher /usr/bin/tallyvane" has '-rwxr-xr-x' usr/bin/tallyvane
for file in tallyvane.exe option.xml Rename.xsl prefix.reg; do
  check "the program's file /usr/lib/tallyvane/$file" has '-rw-r--r--' "usr/lib/tallyvane/$file"
done
check "the desktop entry" has '-rw-r--r--' usr/share/applications/tallyvane.desktop
check "the icon" has '-rw-r--r--' usr/share/icons/hicolor/32x32/apps/tallyvane.png
check "the copyright file" has '-rw-r--r--' usr/share/doc/tallyvane/copyright
check "the manual page in English" has '-rw-r--r--' usr/share/man/man1/tallyvane.1.gz
check "and in Japanese" has '-rw-r--r--' usr/share/man/ja/man1/tallyvane.1.gz

echo "== lintian"
verdict=$(lintian --fail-on error --display-info --allow-root "$deb")
status=$?
echo "$verdict"
check "lintian reports no error" test $status -eq 0
silent_on_manual_pages() { ! grep -E 'usr/share/man|manpage|manual-page|groff' <<< "$verdict"; }
check "nor anything about the manual pages" silent_on_manual_pages

scratch=$build/release-deb-test
rm -rf "$scratch"
root=$scratch/root
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
check "the same program as the build's and the zip's" cmp "$root/usr/lib/tallyvane/tallyvane.exe" "$build/bin/tallyvane.exe"
check "the icon is the program's, 32 by 32" \
  test "$(identify -format '%m %wx%h' "$root/usr/share/icons/hicolor/32x32/apps/tallyvane.png")" = "PNG 32x32"

launcher=$root/usr/bin/tallyvane
export HOME=$scratch/home
unset XDG_DATA_HOME WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LC_ALL LANG
mkdir -p "$HOME"
prefix=$HOME/.local/share/tallyvane/prefix
# A display of its own: the launcher's windows meet no other test's.
tv_display
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  tv_display_end
}
trap cleanup EXIT

echo "== without the locale ja_JP.UTF-8"
mkdir -p "$scratch/no-locales"
status=0
LOCPATH=$scratch/no-locales "$launcher" > "$scratch/nolocale.out" 2> "$scratch/nolocale.err" </dev/null || status=$?
cat "$scratch/nolocale.err"
check "the launcher stops with a non-zero exit" test $status -ne 0
check "saying in Japanese and English how to generate the locale" \
  bash -c "grep -q 'ロケール ja_JP.UTF-8 がありません' '$scratch/nolocale.err' &&
           grep -q 'the locale ja_JP.UTF-8 is not generated' '$scratch/nolocale.err' &&
           grep -q 'locale-gen' '$scratch/nolocale.err'"
check "and makes no prefix" test ! -e "$prefix"

echo "== a first start cut short"
# Closed, as its terminal may be, while wineboot makes the prefix.
setsid "$launcher" </dev/null > "$scratch/cut.out" 2>&1 &
cut=$!
for _ in $(seq 1 300); do
  compgen -G "$HOME/.local/share/tallyvane/prefix.new.*/dosdevices" >/dev/null && break
  sleep 0.1
done
sleep 3
kill -KILL -- -$cut 2>/dev/null || true
wait $cut 2>/dev/null || true
unfinished() { compgen -G "$HOME/.local/share/tallyvane/prefix.new.*" >/dev/null; }
check "leaves no prefix in its place" test ! -e "$prefix"
check "but one unfinished beside it" unfinished

echo "== the first start"
"$launcher" </dev/null > "$scratch/window.out" 2>&1 &
launched=$!
window=
for _ in $(seq 1 900); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '!found && /"Tallyvane Version 0.12"/ {print $1; found = 1}' || true)
  [ -n "$window" ] && break
  kill -0 $launched 2>/dev/null || break
  sleep 0.2
done
cat "$scratch/window.out"
check "the main window opens" test -n "$window"
check "in the prefix made under the home" test -f "$prefix/system.reg"
check "made anew" grep -q 'first start: making the Wine prefix' "$scratch/window.out"
check "whole, with the fonts that draw underscores" grep -qF '"MS UI Gothic"="IPAPGothic"' "$prefix/user.reg"
check "the unfinished one removed" test ! "$(compgen -G "$HOME/.local/share/tallyvane/prefix.new.*")"
check "with Wine's fonts, Marlett for the caption buttons among them" \
  bash -c "for f in /usr/share/wine/fonts/*; do cmp -s \"\$f\" '$prefix/drive_c/windows/Fonts/'\"\$(basename \"\$f\")\" || exit 1; done"
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
wait $launched 2>/dev/null || true

echo "== the command-line mode"
sample=$2/samples/nihon-teams.rec
(cd "$2" && "$build/wine-run" "$build/bin/tallyvane.exe" "Z:$sample" > "$scratch/build.xml" 2>/dev/null </dev/null)
"$launcher" "$sample" > "$scratch/redirected.xml" </dev/null
check "redirected, the program's text in UTF-8" cmp "$scratch/redirected.xml" <(iconv -f CP932 -t UTF-8 "$scratch/build.xml")
check "the Japanese names readable there" grep -q '桜の谷' "$scratch/redirected.xml"
script -qec "'$launcher' '$sample'" /dev/null </dev/null | tr -d '\r' > "$scratch/terminal.xml"
check "on a terminal, the same text" cmp "$scratch/terminal.xml" <(tr -d '\r' < "$scratch/redirected.xml")

WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
if [ $failures -eq 0 ]; then
  rm -rf "$scratch"
  echo "release package: all checks passed"
  exit 0
fi
echo "release package: $failures check(s) failed; the scratch root stays in $scratch"
exit 1
