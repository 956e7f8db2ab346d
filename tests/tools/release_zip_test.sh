#!/bin/bash
# The Windows zips as a player meets them: their contents, then the program unpacked into a new
# Wine prefix under "C:\Program Files\Tallyvane 記録\" and run from there. The prefix has no
# drive for the build tree, and the program's folder cannot be written: the folder and its files
# lose their write permissions and Wine runs without the privilege that lets root write anyway,
# as Program Files is for a standard user. Exits non-zero when a check fails.
# Usage: release_zip_test.sh BUILD_DIR SOURCE_DIR OBJDUMP OBJCOPY   (after cpack, which writes
# BUILD_DIR/dist; the toolchain's objdump and objcopy)
source "$2/tools/setup.sh"
# unzip writes the guide's Japanese name, marked as UTF-8 in the zip, through the locale: in the
# C locale it would write another name.
export LC_ALL=C.UTF-8
build=$1
objdump=$3
objcopy=$4
version=0.12
folder=tallyvane-$version
zip=$build/dist/tallyvane-$version-win64.zip
debugzip=$build/dist/tallyvane-$version-win64-debug.zip
guide="はじめにお読みください.txt"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

echo "== the zips"
listing=$(unzip -Z1 "$zip" | sort)
expected=$(printf '%s\n' "$folder/" "$folder/LICENSE.txt" "$folder/Rename.xsl" "$folder/option.xml" \
  "$folder/tallyvane.exe" "$folder/$guide" | sort)
check "the zip holds the folder $folder with the program, its data, the guide and the notices" \
  test "$listing" = "$expected"
[ "$listing" = "$expected" ] || diff <(echo "$expected") <(echo "$listing") || true
check "the debug zip holds the debugging information for the same folder" \
  test "$(unzip -Z1 "$debugzip" | grep -v '/$')" = "$folder/tallyvane.exe.debug"
# Windows' own unpacker reads a name as UTF-8 only when the entry's flag says so (bit 11 of the
# general purpose flags); otherwise it reads it in the system's code page.
flags() {
  local offset
  offset=$(zipinfo -v "$1" "$2" | sed -n 's/^ *offset of local header from start of archive: *\([0-9]*\).*/\1/p')
  od -A n -t u2 -j $((offset + 6)) -N 2 "$1" | tr -d ' '
}
check "the guide's name is marked as UTF-8 in the zip" test $(($(flags "$zip" "$folder/$guide") & 0x800)) -ne 0

scratch=$build/release-test
rm -rf "$scratch"
mkdir -p "$scratch/unpacked"
unzip -q "$zip" -d "$scratch/unpacked"
unzip -q "$debugzip" -d "$scratch/unpacked"
exe=$scratch/unpacked/$folder/tallyvane.exe
debug=$scratch/unpacked/$folder/tallyvane.exe.debug
# The section names of a file, or a failure when objdump cannot read it.
sections() {
  local headers
  headers=$("$objdump" -h "$1") || return 1
  sed -n 's/^ *[0-9][0-9]* \([^ ]*\) .*/\1/p' <<<"$headers"
}
# Whether the file has code and no debugging information.
stripped() {
  local names
  names=$(sections "$1") || return 1
  grep -qx '\.text' <<<"$names" && ! grep -q '^\.debug_' <<<"$names"
}
# Whether the program's .gnu_debuglink names the file and ends with its CRC-32 (the first four
# bytes of gzip's trailer).
names_debug_file() {
  local link=$scratch/debuglink
  "$objcopy" --dump-section .gnu_debuglink="$link" "$1" "$scratch/debuglink.exe" || return 1
  grep -q '^tallyvane\.exe\.debug' "$link" &&
    test "$(tail -c 4 "$link" | od -A n -t x1)" = "$(gzip -c <"$2" | tail -c 8 | head -c 4 | od -A n -t x1)"
}
# Whether the file holds debugging information and is the build's tallyvane.exe.debug.
debug_of_the_build() {
  local names
  names=$(sections "$1") || return 1
  grep -qx '\.debug_info' <<<"$names" && cmp "$1" "$build/bin/tallyvane.exe.debug"
}
check "the program carries no debugging information" stripped "$exe"
check "the program names its debugging information, which matches it" names_debug_file "$exe" "$debug"
check "the debugging information is that of the program" debug_of_the_build "$debug"
check "the program's files are those of the build" \
  bash -c "cmp '$exe' '$build/bin/tallyvane.exe' &&
           cmp '$scratch/unpacked/$folder/option.xml' '$build/bin/option.xml' &&
           cmp '$scratch/unpacked/$folder/Rename.xsl' '$build/bin/Rename.xsl' &&
           cmp '$scratch/unpacked/$folder/$guide' '$build/bin/$guide'"

echo "== a new Wine prefix with the program in Program Files"
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=JST-9
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$HOME/.local/share"
# A display of its own: the windows of the prefix, from its making on, meet no other test's.
tv_display
cleanup() {
  wineserver -k 2>/dev/null || true
  tv_display_end
}
trap cleanup EXIT
tv_prepare_prefix
tv_prefix_setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0 '"ShowCrashDialog"=dword:00000000'
c=$WINEPREFIX/drive_c
installed="$c/Program Files/Tallyvane 記録"
mkdir -p "$installed" "$c/records" "$c/tests"
unzip -q "$zip" -d "$installed"
cp "$2/samples/castle-duel.rec" "$c/records/"
cp "$2/samples/nihon-teams.rec" "$c/records/日本の記録.rec"
cp "$build/tests/tools/installed_tests.exe" "$c/tests/"
# No way to the build tree: Wine's drive Z: (the whole Unix file system) goes.
rm -f "$WINEPREFIX/dosdevices/z:"
chmod -R a-w "$installed"
before=$(cd "$installed" && find . -printf '%p %s %m %T@\n' | sort)

# Wine without the capabilities that let root write where the permissions forbid it.
standard_user() {
  setpriv --inh-caps=-dac_override,-dac_read_search,-fowner \
    --bounding-set=-dac_override,-dac_read_search,-fowner "$@"
}
japanese() { standard_user env LC_ALL=ja_JP.UTF-8 "$@"; }
cannot() { ! "$@" 2>/dev/null; }
check "the program's folder cannot be written so" cannot standard_user touch "$installed/$folder/probe"
cd "$c"
japanese wineserver -p
program='C:\Program Files\Tallyvane 記録\'$folder'\tallyvane.exe'

echo "== the command-line mode"
japanese wine "$program" 'C:\records\日本の記録.rec' > "$scratch/installed.xml" 2> "$scratch/installed.err" </dev/null
(cd "$2" && "$build/wine-run" "$build/bin/tallyvane.exe" "Z:$2/samples/nihon-teams.rec" > "$scratch/build.xml" 2>/dev/null </dev/null)
check "it prints the settings of a record with a Japanese name" test -s "$scratch/installed.xml"
check "byte for byte as the build's program does" cmp "$scratch/installed.xml" "$scratch/build.xml"
check "and reports nothing" test ! -s "$scratch/installed.err"

echo "== the window, the tree and the batch rename"
if japanese env TV_INSTALLED_DIR='C:\Program Files\Tallyvane 記録\'$folder TV_SAMPLE='C:\records\castle-duel.rec' \
    wine 'C:\tests\installed_tests.exe' </dev/null; then
  echo "ok: the installed program's window"
else
  fail "the installed program's window"
fi

after=$(cd "$installed" && find . -printf '%p %s %m %T@\n' | sort)
check "nothing was written in the program's folder" test "$before" = "$after"
[ "$before" = "$after" ] || diff <(echo "$before") <(echo "$after") || true

wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
if [ $failures -eq 0 ]; then
  chmod -R u+w "$scratch"
  rm -rf "$scratch"
  echo "release zip: all checks passed"
  exit 0
fi
echo "release zip: $failures check(s) failed; the prefix stays in $scratch"
exit 1
