#!/bin/bash
# Batch rename under Wine, with the shipped Rename.xsl and the system's stylesheet engine:
#   bench/batch_rename.sh [COUNT]   (1000)
# Runs the command over COUNT records and, in the same process, the same parts alone on a copy of
# the records (decoding, translation and the temporary file, the transform, the move), twice each
# in turn; prints the faster of each per record and the ratio of the run to the sum of its parts
# (goal: at most 1.25). The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows batch_rename >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/batch_rename.exe" "${1:-1000}"
