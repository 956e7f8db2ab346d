#!/bin/bash
# Export under Wine:
#   bench/export_records.sh [COUNT]   (200)
# Exports COUNT records whose bodies are 1 MiB each and, in the same process, decodes the same
# records alone, twice each in turn; prints the faster of each per record and their ratio (goal:
# at most 1.2). The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows export_records >/dev/null
tv_wine_prefix
tv_wine_session
TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/export_records.exe" "${1:-200}"
