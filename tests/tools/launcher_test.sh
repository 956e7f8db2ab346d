#!/bin/bash
# The Linux launcher (tools/release/tallyvane.sh) on its own: Wine's commands are stand-ins that
# note what they are given and do what a case asks. Where the prefix goes, how it is made and
# made again after a first start that was cut short, the zone the program is given, and the
# program's output passed on as UTF-8 with its exit status. Exits non-zero when a check fails.
# Usage: launcher_test.sh SOURCE_DIR SCRATCH
source=$1
scratch=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

rm -rf "$scratch"
mkdir -p "$scratch/root/usr/bin" "$scratch/root/usr/lib/tallyvane" "$scratch/bin" "$scratch/home"
launcher=$scratch/root/usr/bin/tallyvane
cp "$source/tools/release/tallyvane.sh" "$launcher"
chmod +x "$launcher"
cp "$source/tools/release/prefix.reg" "$scratch/root/usr/lib/tallyvane/"
: > "$scratch/root/usr/lib/tallyvane/tallyvane.exe"
log=$scratch/wine.log

# wineboot makes a prefix's registry; FAKE_WINEBOOT=fail ends it with an error, =cut kills the
# launcher that started it, as a closed terminal or a crash would.
cat > "$scratch/bin/wineboot" <<'EOF'
#!/bin/bash
echo "wineboot $WINEPREFIX" >> "$FAKE_LOG"
mkdir -p "$WINEPREFIX/drive_c/windows/temp"
echo system > "$WINEPREFIX/system.reg"
: > "$WINEPREFIX/user.reg"
case ${FAKE_WINEBOOT:-} in
  fail) exit 1 ;;
  cut) kill -KILL "$PPID"; exit 1 ;;
esac
EOF
# wine regedit keeps the imported file in user.reg; wine PROGRAM notes its environment, writes
# FAKE_OUT and FAKE_ERR (printf formats) and exits with FAKE_STATUS.
cat > "$scratch/bin/wine" <<'EOF'
#!/bin/bash
if [ "$1" = regedit ]; then
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/windows/temp/tallyvane.reg" >> "$WINEPREFIX/user.reg"
  exit
fi
echo "program WINEPREFIX=$WINEPREFIX TZ=${TZ-(none)}" >> "$FAKE_LOG"
printf "${FAKE_OUT:-}"
printf "${FAKE_ERR:-}" >&2
exit "${FAKE_STATUS:-0}"
EOF
printf '#!/bin/bash\necho "wineserver $* $WINEPREFIX" >> "$FAKE_LOG"\n' > "$scratch/bin/wineserver"
printf '#!/bin/bash\necho "Z:$2"\n' > "$scratch/bin/winepath"
chmod +x "$scratch/bin/"*

# run [VAR=VALUE...]: the launcher in the command-line mode, as a user's shell starts it; its
# output in $scratch/out and $scratch/err, its exit status in $status.
run() {
  : > "$log"
  (cd "$scratch" && env -i PATH="$scratch/bin:$PATH" HOME="$scratch/home" FAKE_LOG="$log" "$@" \
    "$launcher" game.rec > "$scratch/out" 2> "$scratch/err" </dev/null)
  status=$?
}
logged() { grep -qF -- "$1" "$log"; }
# Whether a prefix is being made, or was left unfinished, beside its place.
unfinished() { compgen -G "$default/prefix.new.*" >/dev/null; }
finished() { ! unfinished; }

echo "== where the prefix is"
default=$scratch/home/.local/share/tallyvane
# name | XDG_DATA_HOME | the folder of the prefix
places=(
  "unset||$default"
  "relative|data|$default"
  "absolute|$scratch/xdg|$scratch/xdg/tallyvane"
)
for place in "${places[@]}"; do
  IFS='|' read -r name xdg folder <<< "$place"
  rm -rf "$default" "$scratch/xdg" "$scratch/data"
  if [ -n "$xdg" ]; then run XDG_DATA_HOME="$xdg"; else run; fi
  check "$name: the program runs in $folder/prefix" logged "program WINEPREFIX=$folder/prefix "
  check "$name: made there" test -f "$folder/prefix/system.reg"
  check "$name: nothing made in the working folder" test ! -e "$scratch/data"
done

echo "== the first start"
rm -rf "$default"
run
prefix=$default/prefix
check "a whole prefix: the fonts of the list and the dialogs" grep -qF '"MS UI Gothic"="IPAPGothic"' "$prefix/user.reg"
check "a whole prefix: Marlett for the caption buttons" test -f "$prefix/drive_c/windows/Fonts/marlett.ttf"
check "made beside its place and moved there after the wineserver ended" \
  bash -c "grep -q '^wineboot $default/prefix.new.' '$log' && grep -q '^wineserver -w $default/prefix.new.' '$log'"
check "nothing left beside it" finished
run
check "the next start uses it as it is" test "$(grep -c wineboot "$log")" -eq 0

rm -rf "$default"
run FAKE_WINEBOOT=fail
check "wineboot failing: the launcher fails" test $status -ne 0
check "saying so" grep -q 'the Wine prefix could not be made' "$scratch/err"
check "and leaves no prefix" test ! -e "$prefix"
check "nor an unfinished one" finished
check "nor runs the program" test "$(grep -c program "$log")" -eq 0

rm -rf "$default"
run FAKE_WINEBOOT=cut 2>/dev/null
check "a first start cut short leaves no prefix in place" test ! -e "$prefix"
check "only an unfinished one beside it" unfinished
run
check "the next start makes the prefix anew" logged "wineboot $default/prefix.new."
check "whole" grep -qF '"MS UI Gothic"="IPAPGothic"' "$prefix/user.reg"
check "and removes the unfinished one" finished
check "then runs the program" logged "program WINEPREFIX=$prefix "

echo "== the zone that the program is given"
# TZ as the user sets it | TZ as the program gets it: a name of three letters, the hours west of
# UTC, and the summer time's name and rules
zones=(
  "Asia/Tokyo|JST-9"
  ":Asia/Tokyo|JST-9"
  "/usr/share/zoneinfo/Asia/Kolkata|IST-5:30"
  "Australia/Sydney|AES-10AED,M10.1.0,M4.1.0/3"
  "Asia/Bangkok|STD-7"
  "America/Santiago|STD4DST,M9.1.6/24,M4.1.6/24"
  "JST-9|JST-9"
  "|(none)"
)
for zone in "${zones[@]}"; do
  IFS='|' read -r given expected <<< "$zone"
  if [ -n "$given" ]; then run TZ="$given"; else run; fi
  check "TZ=${given:-(none)}: the program gets ${expected}" logged "TZ=$expected"
done

echo "== the command-line mode's output"
# what | the program's standard output, standard error (printf formats) and exit status | the
# launcher's
outputs=(
  "Shift_JIS|<Map>\x8d\xf7\x82\xcc\x92\x4a</Map>\r\n||0|<Map>桜の谷</Map>\r\n||0"
  "a byte of code page 932 that glibc lacks|<Name>Zo\x80e</Name>||0|<Name>Zo\xc2\x80e</Name>||0"
  "bytes that are not Shift_JIS|<Name>A\x81 B\xff\x81</Name>||0|<Name>A\xef\xbf\xbd B\xef\xa3\xb3\xef\xbf\xbd</Name>||0"
  "a message||Error : \x83\x58\x83\x4e\x83\x8a\x83\x76\x83\x67\n|0||Error : スクリプト\n|0"
  "the exit status|<a/>|x|3|<a/>|x|3"
)
for output in "${outputs[@]}"; do
  IFS='|' read -r what out err code expected_out expected_err expected_code <<< "$output"
  run FAKE_OUT="$out" FAKE_ERR="$err" FAKE_STATUS="$code"
  check "$what: standard output as UTF-8" cmp -s "$scratch/out" <(printf "$expected_out")
  check "$what: standard error as UTF-8" cmp -s "$scratch/err" <(printf "$expected_err")
  check "$what: the exit status $expected_code" test "$status" -eq "$expected_code"
done
# On a terminal too, where the pseudo-terminal turns line feeds into CR LF.
cat > "$scratch/terminal.sh" <<EOF
env -i PATH="$scratch/bin:$PATH" HOME="$scratch/home" FAKE_LOG="$log" \
  FAKE_OUT='<Name>Zo\x80e \x8d\xf7</Name>\n' "$launcher" game.rec
EOF
script -qec "bash '$scratch/terminal.sh'" /dev/null </dev/null | tr -d '\r' > "$scratch/terminal"
status=${PIPESTATUS[0]}
check "on a terminal, the whole text as UTF-8" cmp -s "$scratch/terminal" <(printf '<Name>Zo\xc2\x80e 桜</Name>\n')
check "on a terminal, the program's exit status 0" test "$status" -eq 0

if [ $failures -eq 0 ]; then
  rm -rf "$scratch"
  echo "launcher: all checks passed"
  exit 0
fi
echo "launcher: $failures check(s) failed; the scratch folder stays in $scratch"
exit 1
