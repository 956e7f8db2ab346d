#!/bin/bash
# Fuzzes one target with libFuzzer for a while.
#   fuzz/run.sh TARGET SECONDS
# Builds the fuzzing configuration (clang, build/fuzz), runs the target on a scratch copy of its
# corpus (fuzz/TARGET/corpus) and leaves crash inputs in build/fuzz/crashes/TARGET. After fixing a
# crash, copy its input into the corpus folder so that every test run replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TV_BUILD:-$root/build}/fuzz
target=$1
seconds=${2:-60}
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target "$target"
work=$build/corpus/$target
crashes=$build/crashes/$target
mkdir -p "$work" "$crashes"
cp -n "$root/fuzz/$target/corpus/"* "$work/" 2>/dev/null || true
"$build/fuzz/$target" -max_total_time="$seconds" -artifact_prefix="$crashes/" -print_final_stats=1 \
  -rss_limit_mb=2048 "$work"
