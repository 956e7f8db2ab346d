#!/bin/bash
# Start-up of the program under Wine with a running wineserver, as a player's shell loop over a
# folder of records runs it:
#  - the command-line dump of each sample beside bare_dump.exe (a program that uses only the C
#    runtime and copies the file to standard output), the two in turn, RUNS runs each: medians in
#    ms and their ratio (goal: at most 1.3);
#  - the windowed start to the shown main window, RUNS runs: median in ms.
#   bench/startup.sh [PROGRAM [RUNS]]   (build/win/bin/tallyvane.exe, 10)
# The Windows build is made if needed; the script starts its own X display and wineserver and
# stops both at the end.
source "$(dirname "$0")/../tools/setup.sh"
program=${1:-}
runs=${2:-10}
tv_build_windows >/dev/null
tv_wine_prefix
program=$(realpath "${program:-$TV_WIN/bin/tallyvane.exe}")
out=$TV_BUILD/bench-wine
mkdir -p "$out"
x86_64-w64-mingw32-gcc-posix -O2 -static "$TV_ROOT/bench/bare_dump.c" -o "$out/bare_dump.exe"
x86_64-w64-mingw32-g++-posix -O2 -static "$TV_ROOT/bench/first_window.cpp" -o "$out/first_window.exe"

tv_wine_session
# As build/win/wine-run, without its shell in every measured start.
export TZ=JST-9 LC_ALL=ja_JP.UTF-8

# Microseconds of one run of wine with the arguments, its output to a file.
time_one() {
  local start=$EPOCHREALTIME
  wine "$@" >"$out/dump.xml" 2>/dev/null </dev/null
  local end=$EPOCHREALTIME
  echo $((${end/./} - ${start/./}))
}

# The median of the numbers on standard input, in thousandths.
median_ms() {
  sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2000 }'
}

echo "command-line dump, median of $runs runs (ms): program, bare program, ratio"
for sample in "$TV_ROOT"/samples/*.rec "$TV_ROOT"/samples/*.rcx; do
  file="Z:$sample"
  program_times=()
  bare_times=()
  for ((i = 0; i < runs; i++)); do
    bare_times+=("$(time_one "$out/bare_dump.exe" "$file")")
    program_times+=("$(time_one "$program" "$file")")
  done
  p=$(printf '%s\n' "${program_times[@]}" | median_ms)
  b=$(printf '%s\n' "${bare_times[@]}" | median_ms)
  printf '  %-20s %7.1f %7.1f %6.2f\n' "$(basename "$sample")" "$p" "$b" "$(awk "BEGIN { print $p / $b }")"
done

echo "windowed start to the shown main window, $runs runs (ms):"
wine "$out/first_window.exe" "Z:$program" "$runs" | sed 's/^/  /'
