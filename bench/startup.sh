#!/bin/bash
# Start-up of the program under Wine with a running wineserver, as a player's shell loop over a
# folder of records runs it:
#  - the command-line dump of each sample by each program and by bare_dump.exe (a program that
#    uses only the C runtime and copies the file to standard output), all in turn, RUNS runs
#    each: medians in ms and each program's ratio to the bare program (goal: at most 1.3);
#  - the windowed start to the shown main window, the programs in turn, RUNS runs each: medians.
#   [RUNS=10] bench/startup.sh [PROGRAM...]   (build/win/bin/tallyvane.exe)
# Give an earlier build as a second program to compare before and after under the same load.
# The Windows build is made if needed; the script starts its own X display and wineserver and
# stops both at the end.
source "$(dirname "$0")/../tools/setup.sh"
runs=${RUNS:-10}
tv_build_windows >/dev/null
tv_wine_prefix
programs=()
for program in "${@:-$TV_WIN/bin/tallyvane.exe}"; do programs+=("$(realpath "$program")"); done
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

for k in "${!programs[@]}"; do echo "program $((k + 1)): ${programs[$k]}"; done
echo "command-line dump, median of $runs runs (ms): the bare program, then each program and its ratio"
for sample in "$TV_ROOT"/samples/*.rec "$TV_ROOT"/samples/*.rcx; do
  rm -f "$out"/times.*
  for ((i = 0; i < runs; i++)); do
    time_one "$out/bare_dump.exe" "Z:$sample" >>"$out/times.bare"
    for k in "${!programs[@]}"; do
      time_one "${programs[$k]}" "Z:$sample" >>"$out/times.$k"
    done
  done
  bare=$(median_ms <"$out/times.bare")
  line=$(printf '  %-18s bare %6.1f' "$(basename "$sample")" "$bare")
  for k in "${!programs[@]}"; do
    p=$(median_ms <"$out/times.$k")
    line+=$(printf ' | %6.1f %5.2f' "$p" "$(awk "BEGIN { print $p / $bare }")")
  done
  echo "$line"
done

echo "windowed start to the shown main window, $runs runs each:"
wine "$out/first_window.exe" "$runs" "${programs[@]/#/Z:}" | sed 's/^/  /'
