#!/bin/bash
# The file list under Wine, with the main window on the screen of an X display of its own:
#   bench/file_list.sh [COUNT] [ROUNDS]   (10000, 5)
# Adds a folder of COUNT recorded files beside the bare listing and opening of the same files
# (goal: at most 1.3 times), and sorts the rows by each column beside a sort by record ids alone
# (goal: at most 2 times); then, for comparison, the rows inserted with redrawing on and a sort
# that finds the rows on every comparison. The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows file_list >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/file_list.exe" "${1:-10000}" "${2:-5}"
