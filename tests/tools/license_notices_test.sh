#!/bin/bash
# The third-party notices (tools/release/license_notices.sh) taken from the Debian copyright
# files: as they are, every part is there; with a file whose wording has changed so that a part
# would come out empty, the script fails and names the file, and writes no notices. Exits
# non-zero when a check fails.
# Usage: license_notices_test.sh SOURCE_DIR SCRATCH
source=$1
scratch=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

rm -rf "$scratch"
mkdir -p "$scratch"
doc=/usr/share/doc
zlib=$doc/libz-mingw-w64/copyright
mingw=$doc/mingw-w64-common/copyright
gcc=$doc/gcc-mingw-w64-base/copyright
echo "The notices." > "$scratch/head.txt"
notices() { bash "$source/tools/release/license_notices.sh" "$scratch/head.txt" "$scratch/out.txt" "$@" 2> "$scratch/err"; }

notices "$zlib" "$mingw" "$gcc"
check "the files as they are give the notices" test $? -eq 0
check "with zlib's licence" grep -q 'Jean-loup Gailly and Mark Adler' "$scratch/out.txt"
check "with the licence of the mingw-w64 runtime" grep -q "the mingw-w64 project" "$scratch/out.txt"
check "with GCC's runtime library exception" grep -q 'GCC RUNTIME LIBRARY EXCEPTION' "$scratch/out.txt"

# which file | how its wording changes (a sed script) | the part that would come out empty
changes=(
  "zlib|s/^Files:/Paths:/|paragraph for the files of zlib"
  "mingw|s/^Files:/Path:/|paragraph for the runtime's or winpthreads' files"
  "gcc|s/^GCC is Copyright/GCC: Copyright/|copyright of GCC"
  "gcc|s/^The following runtime libraries are licensed/These runtime libraries are licensed/|licence of the runtime libraries"
  "gcc|s/^GCC RUNTIME LIBRARY EXCEPTION/GCC Runtime Library Exception/|GCC runtime library exception"
)
declare -A original=([zlib]=$zlib [mingw]=$mingw [gcc]=$gcc)
for change in "${changes[@]}"; do
  IFS='|' read -r which script what <<< "$change"
  changed=$scratch/$which.copyright
  sed "$script" "${original[$which]}" > "$changed"
  check "$which reworded ($script): the file changes" bash -c "! cmp -s '$changed' '${original[$which]}'"
  files=("$zlib" "$mingw" "$gcc")
  files=("${files[@]/#${original[$which]}/$changed}")
  rm -f "$scratch/out.txt"
  notices "${files[@]}"
  check "$which reworded: the script fails" test $? -ne 0
  check "$which reworded: naming the file and the part" grep -qF "$changed has no $what" "$scratch/err"
  check "$which reworded: no notices written" test ! -e "$scratch/out.txt" -a ! -e "$scratch/out.txt.tmp"
done

if [ $failures -eq 0 ]; then
  rm -rf "$scratch"
  echo "license notices: all checks passed"
  exit 0
fi
echo "license notices: $failures check(s) failed; the scratch folder stays in $scratch"
exit 1
