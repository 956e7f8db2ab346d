#!/bin/bash
# Undo of a batch rename under Wine:
#   bench/undo_renames.sh [COUNT]   (1000)
# Renames COUNT records with the batch rename and the shipped Rename.xsl, then times Edit > Undo
# and a bare loop of the same MoveFileA calls on the same files, seven times each in turn; prints
# the fastest of each per file and their ratio (goal: at most 1.2). The Windows build is made if
# needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows undo_renames >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/undo_renames.exe" "${1:-1000}"
