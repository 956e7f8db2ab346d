#!/bin/bash
# The preview of the batch rename under Wine, with the shipped Rename.xsl:
#   bench/batch_preview.sh [COUNT]   (1000)
# Times the preview of COUNT records, from the command to the preview shown with its rows, and,
# in the same process, the batch's own work for them without the moves (decoding, translation and
# the temporary file, the transform), three times each in turn after a small untimed turn of each;
# prints the fastest of each per record and the ratio of the preview to the sum of the parts (goal:
# at most 1.1). The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows batch_preview >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/batch_preview.exe" "${1:-1000}"
