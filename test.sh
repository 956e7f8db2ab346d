#!/bin/bash
# Installs what is missing, builds the Windows and the native configuration, and runs every test.
# Exits non-zero when any test fails.
source "$(dirname "$0")/tools/setup.sh"
tv_install
tv_build_windows
tv_build_native
tv_wine_prefix

# One wineserver for the whole run, and an X display for the window tests.
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
wineserver -k 2>/dev/null || true
wineserver -p
# Wine's own background processes start with the first program; start them here with no output
# attached, or they would hold the first test's output pipe open for as long as they run.
"$TV_WIN/wine-run" cmd /c exit >/dev/null 2>&1 </dev/null

# The recycle bin of the Windows tests is the trash of their own home; start it empty.
rm -rf "$TV_WIN/home/.local/share/Trash"

status=0
echo "== Windows build (under Wine)"
# One at a time: the window tests share one desktop, and a window that another test activates
# takes the keyboard focus away from them.
ctest --test-dir "$TV_WIN" --output-on-failure || status=1
echo "== Native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
TZ=Asia/Tokyo ctest --test-dir "$TV_NATIVE" --output-on-failure -j2 || status=1
exit $status
