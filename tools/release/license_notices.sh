#!/bin/bash
# Writes the notices of the third-party code that the statically linked tallyvane.exe contains,
# taken from the copyright files of the Debian packages that the build links it from:
#   zlib                      libz-mingw-w64
#   mingw-w64 runtime and winpthreads   mingw-w64-common (the same file as mingw-w64-x86-64-dev)
#   GCC runtime (libgcc, libstdc++)     gcc-mingw-w64-base
# Every part is taken by its wording; when a file's wording has changed so that a part comes out
# empty, the script fails rather than leave that notice out.
# Usage: license_notices.sh HEADER OUTPUT ZLIB MINGW GCC
#   HEADER: the text that goes first; OUTPUT is UTF-8; ZLIB, MINGW, GCC: the copyright files
#   (/usr/share/doc/PACKAGE/copyright)
set -euo pipefail
usage="usage: license_notices.sh HEADER OUTPUT ZLIB MINGW GCC"
header=${1:?$usage}
out=${2:?$usage}
zlib=${3:?$usage}
mingw=${4:?$usage}
gcc=${5:?$usage}
for f in "$zlib" "$mingw" "$gcc"; do
  [ -f "$f" ] || { echo "license_notices.sh: $f is missing" >&2; exit 1; }
done

# The paragraphs of a machine-readable copyright file whose Files patterns match KEEP (an awk
# regular expression) and do not all match DROP, followed by the stand-alone License paragraphs
# that they name.
paragraphs() {
  awk -v keep="$2" -v drop="$3" '
    function flush() {
      if (text == "") return
      if (files != "") {
        n = split(files, pattern, " ")
        wanted = 0
        for (i = 1; i <= n; i++)
          if (pattern[i] ~ keep && !(drop != "" && pattern[i] ~ drop)) wanted = 1
        if (wanted) {
          kept = kept text "\n"
          split(licence, names, / and | or /)
          for (i in names) used[names[i]] = 1
        }
      } else if (licence != "") {
        standalone[licence] = text
        order[++count] = licence
      }
      text = ""; files = ""; licence = ""; field = ""
    }
    /^[ \t]*$/ { flush(); next }
    {
      text = text $0 "\n"
      if ($0 ~ /^[A-Za-z-]+:/) {
        field = $0; sub(/:.*/, "", field)
        value = $0; sub(/^[^:]*:[ \t]*/, "", value)
        if (field == "Files") files = value
        if (field == "License") licence = value
      } else if (field == "Files") {
        value = $0; sub(/^[ \t]+/, "", value); files = files " " value
      }
    }
    END {
      flush()
      printf "%s", kept
      for (i = 1; i <= count; i++)
        if (used[order[i]]) printf "\n%s", standalone[order[i]]
    }' "$1"
}

# The lines of FILE from the first that matches FROM through the first after it that matches TO.
between() {
  awk -v from="$2" -v to="$3" '$0 ~ from { on = 1 } on { print } on && $0 ~ to { exit }' "$1"
}

rule() { printf '\n%s\n%s\n%s\n\n' "========================================================================" "$1" "========================================================================"; }

# The text of a part, which must not be empty. Usage: part WHAT FILE COMMAND...
part() {
  local what=$1 file=$2 text
  shift 2
  text=$("$@")
  if [ -z "$text" ]; then
    echo "license_notices.sh: $file has no $what (has its wording changed?)" >&2
    exit 1
  fi
  printf '%s\n' "$text"
}

trap 'rm -f "$out.tmp"' EXIT
{
  cat "$header"
  rule "1. zlib  (from $zlib)"
  part "paragraph for the files of zlib" "$zlib" paragraphs "$zlib" '^\*$' ''
  rule "2. mingw-w64 runtime and winpthreads  (from $mingw)"
  part "paragraph for the runtime's or winpthreads' files" "$mingw" paragraphs "$mingw" \
    '^(\*|mingw-w64-crt/|mingw-w64-libraries/winpthreads/)' \
    '^mingw-w64-crt/(testcases|profile)/|^mingw-w64-libraries/winpthreads/tests_pthread/'
  rule "3. GCC runtime libraries: libgcc, libstdc++  (from $gcc)"
  part "copyright of GCC" "$gcc" between "$gcc" '^GCC is Copyright' '^Free Software Foundation'
  echo
  part "licence of the runtime libraries" "$gcc" between "$gcc" '^The following runtime libraries are licensed' '^ - libvtv'
  echo
  part "GCC runtime library exception" "$gcc" between "$gcc" '^GCC RUNTIME LIBRARY EXCEPTION' '^requirements of the license of GCC'
} > "$out.tmp"
mv "$out.tmp" "$out"
