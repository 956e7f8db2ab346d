#!/bin/bash
# The record search under Wine:
#   bench/find_records.sh [COUNT] [MEMORY_COUNT]   (10000, 2000)
# The first search over COUNT records of the castle-duel sample beside decoding their settings
# alone (goal: at most 1.2), the second search beside the first (goal: at most 0.1), with the
# sample's own bodies of about 12 KB and, over COUNT / 5 records, with bodies of 256 KiB; then the peak
# working set of a search over MEMORY_COUNT records whose bodies are 1 MiB beside the working set
# before it (goal: a growth of at most twice the settings texts plus a few MB), in a process of
# its own. The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows find_records >/dev/null
tv_wine_prefix
tv_wine_session
run() { TV_SOURCE_DIR="Z:$TV_ROOT" "$TV_WIN/wine-run" "$TV_WIN/bin/find_records.exe" "$@"; }
count=${1:-10000}
run speed "$count"
run speed $((count / 5)) 256
run make "${2:-2000}"
run memory "${2:-2000}"
