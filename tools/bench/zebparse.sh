#!/usr/bin/env bash
# Speed of the configuration front end (scanner and parser, with the trace
# recorded): zebparse over a generated configuration of about 32 MB, in MB/s.
#   tools/bench/zebparse.sh [FILE...]
# Without files it generates definitions with nested lists, literal and name
# values, braced expressions and comments in the build directory. The group
# names vary in their first and last letters: the identifier table hashes
# those two characters and the length, so names that share them (g0, g1, ...)
# would measure the table's chains rather than the front end. The release
# build is used; build it first (cmake --preset release && cmake --build
# --preset release).
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=build/release/bin
[ -x "$bin/zebparse" ] || { echo "build the release preset first" >&2; exit 1; }
if [ $# -eq 0 ]; then
  input=build/release/bench-input.cfg
  if [ ! -f "$input" ]; then
    awk -v n=120000 -f tools/bench/groups-config.awk > "$input"
  fi
  set -- "$input"
fi
bytes=$(cat "$@" | wc -c)
start=$(date +%s.%N)
"$bin/zebparse" "$@"
end=$(date +%s.%N)
awk -v b="$bytes" -v s="$start" -v e="$end" \
  'BEGIN { t = e - s; printf "%.1f MB in %.2f s: %.1f MB/s\n", b / 1e6, t, b / 1e6 / t }'
