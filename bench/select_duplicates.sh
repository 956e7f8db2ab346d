#!/bin/bash
# Selecting duplicate files under Wine:
#   bench/select_duplicates.sh [COUNT] [PAIRS]   (2000, 100)
# The command over COUNT files of about 1 MiB (PAIRS pairs of equal files, PAIRS pairs of equal
# size and other bytes) beside reading the files of equal size once each (goal: at most 1.3).
# The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows select_duplicates >/dev/null
tv_wine_prefix
tv_wine_session
"$TV_WIN/wine-run" "$TV_WIN/bin/select_duplicates.exe" "${1:-2000}" "${2:-100}"
