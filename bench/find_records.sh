#!/bin/bash
# The record search under Wine:
#   bench/find_records.sh [COUNT] [MEMORY_COUNT]   (10000, 2000)
# The first search over COUNT records of the castle-duel sample beside decoding their settings
# alone (goal: at most 1.2), the second search beside the first (goal: at most 0.1); then the peak
# working set of a search over MEMORY_COUNT records whose bodies are 1 MiB beside the working set
# before it (goal: a growth of at most twice the settings texts plus a few MB), in a process of
# its own. The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows find_records >/dev/null
tv_wine_prefix
tv_wine_session
run() { TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/find_records.exe" "$@"; }
run speed "${1:-10000}"
run make "${2:-2000}"
run memory "${2:-2000}"
