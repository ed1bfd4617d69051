#!/usr/bin/env bash
# Speed of zebcheck end to end (parse, tree, name checks, folding, canonical
# printing) over a generated configuration of about 5.5 MB, in MB/s, and the
# time for flat lists of 25,000, 50,000 and 100,000 definitions that each
# name the first one (which shows whether the definition sets and lookups
# stay linear in the list's length). Folding is not memoised: a definition
# that names the one before it is folded again for every later definition,
# so chains of such definitions cost time quadratic in their length.
#   tools/bench/zebcheck.sh [FILE...]
# Group names vary in their first and last letters, as in zebparse.sh, so
# that the identifier table's chains stay short. The release build is used;
# build it first (cmake --preset release && cmake --build --preset release).
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=build/release/bin
[ -x "$bin/zebcheck" ] || { echo "build the release preset first" >&2; exit 1; }
dir=build/release/bench-zebcheck
mkdir -p "$dir"
timed() {  # label, files...
  local label=$1
  shift
  local bytes start end
  bytes=$(cat "$@" | wc -c)
  start=$(date +%s.%N)
  "$bin/zebcheck" "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v l="$label" -v b="$bytes" -v s="$start" -v e="$end" \
    'BEGIN { t = e - s; printf "%s: %.1f MB in %.2f s: %.1f MB/s\n", l, b / 1e6, t, b / 1e6 / t }'
}
if [ $# -eq 0 ]; then
  input=$dir/groups.cfg
  if [ ! -f "$input" ]; then
    awk 'BEGIN {
      letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"  # no "u": \u starts an escape
      print "\\base{ \\offset{12} \\scale{2.5} }"
      for (i = 0; i < 20000; i++) {
        g = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
        printf "// settings group %d\n", i
        printf "\\%s{\n  \\name{\"group %d\"} \\enabled{true} \\ratio{1.5e-3}\n", g, i
        printf "  \\limits{ \\low{%d} \\high{0x%x} \\unit{'"'"'k'"'"'} }\n", i, i * 16
        printf "  \\size{{ (limits.high - limits.low) * 2 + base.offset %% 7 }}\n"
        printf "  \\ok{{ enabled && size >= 0 ? size * base.scale : -1 }} /* checked */\n}\n"
      }
    }' > "$input"
  fi
  timed "groups" "$input"
  for n in 25000 50000 100000; do
    list=$dir/list$n.cfg
    [ -f "$list" ] || awk -v n="$n" 'BEGIN {
      letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
      print "\\first{1}"
      for (i = 0; i < n; i++) {
        name = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
        printf "\\%s{{first + %d}}\n", name, i
      }
    }' > "$list"
    timed "list of $n" "$list"
  done
else
  timed "input" "$@"
fi
