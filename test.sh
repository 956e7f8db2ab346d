#!/bin/bash
# Installs what is missing, builds the Windows and the native configuration, and runs every test.
# Exits non-zero when any test fails.
source "$(dirname "$0")/tools/setup.sh"
tv_install
tv_build_windows
tv_build_native
tv_wine_prefix

# One wineserver for the whole run, and an X display for the window tests.
tv_wine_session

# The recycle bin of the Windows tests is the trash of their own home; start it empty.
rm -rf "$TV_WIN/home/.local/share/Trash"

status=0
echo "== Windows build (under Wine)"
# One at a time: the window tests share one desktop, and a window that another test activates
# takes the keyboard focus away from them. Wine's folder browser at times refuses to select an
# existing folder; the tests that show it show it again then, and say so: those lines are
# shown here even when every test passes.
ctest --test-dir "$TV_WIN" --output-on-failure --no-tests=error || status=1
grep -h '^\[ RETRIED  \]' "$TV_WIN/Testing/Temporary/LastTest.log" || true
echo "== Native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
TZ=Asia/Tokyo ctest --test-dir "$TV_NATIVE" --output-on-failure --no-tests=error -j2 || status=1
exit $status
