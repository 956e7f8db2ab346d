#!/bin/bash
# Rebuilds the recorded files in samples/ from their sources, as listed in samples/samples.txt.
# Usage: tools/make_samples.sh [path/to/make_record]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
make_record=${1:-$root/build/native/tools/make_record}
while read -r output version stem chunk; do
  case "$output" in ''|'#'*) continue ;; esac
  "$make_record" "$version" "$root/samples/src/$stem.settings.xml" "$root/samples/src/$stem.map.txt" \
    "$chunk" "$root/samples/$output"
  echo "samples/$output"
done < "$root/samples/samples.txt"
