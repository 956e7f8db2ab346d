#!/bin/bash
# Builds a benchmark program without sanitizers (build/bench, Release) and runs it.
#   bench/run.sh TARGET [ARGS...]
# Benchmarks that compare instruction counts run themselves under callgrind where they say so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TV_BUILD:-$root/build}/bench
target=$1
shift
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DTV_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target "$target" >/dev/null
"$build/bench/$target" "$@"
