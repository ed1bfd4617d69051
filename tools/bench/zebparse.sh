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
    awk 'BEGIN {
      letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"  # no "u": \u starts an escape
      for (i = 0; i < 120000; i++) {
        g = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
        printf "// settings group %d\n", i
        printf "\\%s{\n  \\name{\"group %d\"} \\enabled{true} \\ratio{1.5e-3}\n", g, i
        printf "  \\limits{ \\low{%d} \\high{0x%x} \\unit{'"'"'k'"'"'} }\n", i, i * 16
        printf "  \\size{{ (limits.high - limits.low) * 2 + base.offset %% 7 }}\n"
        printf "  \\ok{{ enabled && size >= 0 ? max(size, 1) : -1 }} /* checked */\n}\n"
      }
    }' > "$input"
  fi
  set -- "$input"
fi
bytes=$(cat "$@" | wc -c)
start=$(date +%s.%N)
"$bin/zebparse" "$@"
end=$(date +%s.%N)
awk -v b="$bytes" -v s="$start" -v e="$end" \
  'BEGIN { t = e - s; printf "%.1f MB in %.2f s: %.1f MB/s\n", b / 1e6, t, b / 1e6 / t }'
