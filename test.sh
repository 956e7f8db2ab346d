#!/bin/bash
# Installs what is missing, builds the Windows and the native configuration, and runs every test.
# Exits non-zero when any test fails.
source "$(dirname "$0")/tools/setup.sh"
tv_install

# The Wine prefix is made while the programs build: making it mostly waits for Wine.
tv_wine_prefix >/dev/null &
prefix=$!
tv_build_windows
tv_build_native
wait $prefix
tv_wine_prefix

# One wineserver for the whole run, and an X display for the window tests.
tv_wine_session

# The recycle bin of the Windows tests is the trash of their own home; start it empty.
rm -rf "$TV_WIN/home/.local/share/Trash"

# The native tests run beside the Windows tests, which mostly wait for Wine; their report follows
# the Windows one.
native_log=$TV_NATIVE/Testing/test.sh.log
mkdir -p "$(dirname "$native_log")"
TZ=Asia/Tokyo ctest --test-dir "$TV_NATIVE" --output-on-failure --no-tests=error -j2 >"$native_log" 2>&1 &
native=$!

status=0
echo "== Windows build (under Wine)"
# The tests of the build's prefix run one at a time (the lock wine_desktop): they share one
# desktop, and a window that another test activates takes the keyboard focus away from them.
# The release's tests, each in a prefix and on a display of its own, run beside them. Wine's
# folder browser at times refuses to select an existing folder; the tests that show it show it
# again then, and say so: those lines are shown here even when every test passes.
ctest --test-dir "$TV_WIN" --output-on-failure --no-tests=error -j2 || status=1
grep -h '^\[ RETRIED  \]' "$TV_WIN/Testing/Temporary/LastTest.log" || true
echo "== Native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
wait $native || status=1
cat "$native_log"
exit $status
