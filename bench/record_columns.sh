#!/bin/bash
# The records' own columns of the file list under Wine, with the main window on the screen of an X
# display of its own:
#   bench/record_columns.sh [COUNT] [TURNS]   (10000, 3)
# Opening a folder of COUNT records with the columns on beside the bare listing (goal: at most
# 1.3 times), scrolling page by page beside decoding the pages' rows alone (goal: at most 1.2),
# the first sort by the map beside decoding every record (goal: at most 1.3) and the other way
# (goal: at most 20 ms), and the memory the columns take (goal: at most 400 bytes a record). The
# Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows record_columns >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/record_columns.exe" "${1:-10000}" "${2:-3}"
