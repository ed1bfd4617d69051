#!/usr/bin/env bash
# Speed and memory of zebcheck end to end (parse, tree, name checks,
# folding, canonical printing). For each input it reports the size, the
# time, the throughput in MB/s, the peak memory and the bytes of memory per
# byte of input. The inputs, generated in the build directory:
# - groups: about 5.5 MB of ordinary configuration (groups of definitions
#   with literals, names, qualified names and braced expressions);
# - reals: about 1 MB of groups of definitions whose braced values are
#   arithmetic mixing integer and real literals with names and qualified
#   names (the folding of numbers and the printing of folded results);
# - lists of 25,000, 50,000 and 100,000 definitions that each name the
#   first one (whether the definition sets and lookups stay linear in the
#   list's length);
# - a chain of 10,000 definitions, each naming the next (whether each
#   definition is folded once);
# - 20,000 nested definitions (whether printing deep indentation, whose
#   text is quadratic in the depth, holds memory linear in it).
# With CALLGRIND=1 it also counts the instructions of a run over the groups
# and the reals inputs with valgrind's callgrind tool, the stable figure on
# a noisy machine. ZEBCHECK=PROGRAM measures another zebcheck program on the
# same inputs (a baseline build, for figures before and after a change).
# Each input is run RUNS times (default 5) and the fastest run is reported.
#   tools/bench/zebcheck.sh [FILE...]
# Group names vary in their first and last letters, as in zebparse.sh, so
# that the identifier table's chains stay short. The release build is used;
# build it first (cmake --preset release && cmake --build --preset release).
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=build/release/bin
program=${ZEBCHECK:-$bin/zebcheck}
[ -x "$program" ] || { echo "build the release preset first" >&2; exit 1; }
dir=build/release/bench-zebcheck
mkdir -p "$dir"
runs=${RUNS:-5}
timed() {  # label, files...
  local label=$1
  shift
  local bytes seconds kilobytes start end run best=""
  bytes=$(cat "$@" | wc -c)
  # The elapsed time in milliseconds of each run (time's own figure has
  # only hundredths of a second); the peak memory is that of a run.
  for run in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$dir/time" "$program" "$@" >/dev/null
    end=$(date +%s%N)
    kilobytes=$(tail -n 1 "$dir/time")
    if [ -z "$best" ] || [ $((end - start)) -lt "$best" ]; then best=$((end - start)); fi
  done
  seconds=$(awk -v n="$best" 'BEGIN { printf "%.3f", n / 1e9 }')
  awk -v l="$label" -v b="$bytes" -v t="$seconds" -v k="$kilobytes" 'BEGIN {
    if (t < 0.001) t = 0.001
    printf "%s: %.1f MB in %.3f s: %.1f MB/s, peak %.1f MB, %.1f bytes of memory per input byte\n",
      l, b / 1e6, t, b / 1e6 / t, k / 1024, k * 1024 / b
  }'
}
instructions() {  # label, files...
  local label=$1
  shift
  local bytes
  bytes=$(cat "$@" | wc -c)
  valgrind --tool=callgrind --callgrind-out-file="$dir/callgrind.out" "$program" "$@" \
    >/dev/null 2>"$dir/callgrind.err"
  awk -v l="$label" -v b="$bytes" '/Collected :/ { n = $NF } END {
    printf "%s instructions: %d, %.0f per input byte\n", l, n, n / b
  }' "$dir/callgrind.err"
}
if [ $# -eq 0 ]; then
  input=$dir/groups.cfg
  if [ ! -f "$input" ]; then
    awk -v n=20000 -f tools/bench/groups-config.awk > "$input"
  fi
  timed "groups" "$input"
  [ "${CALLGRIND:-0}" = 1 ] && instructions "groups" "$input"
  reals=$dir/reals.cfg
  if [ ! -f "$reals" ]; then
    awk -v n=1700 -v kind=reals -f tools/bench/groups-config.awk > "$reals"
  fi
  timed "reals" "$reals"
  [ "${CALLGRIND:-0}" = 1 ] && instructions "reals" "$reals"
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
  chain=$dir/chain.cfg
  [ -f "$chain" ] || awk 'BEGIN {
    n = 10000
    for (i = 0; i < n; i++) printf "\\a%d{{a%d + 1}}\n", i, i + 1
    printf "\\a%d{0}\n", n
  }' > "$chain"
  timed "chain of 10000" "$chain"
  deep=$dir/deep.cfg
  [ -f "$deep" ] || awk 'BEGIN {
    n = 20000
    for (i = 0; i < n; i++) printf "\\a{"
    printf "\\b{1}"
    for (i = 0; i < n; i++) printf "}"
    print ""
  }' > "$deep"
  timed "20000 nested" "$deep"
else
  timed "input" "$@"
  [ "${CALLGRIND:-0}" = 1 ] && instructions "input" "$@"
fi
exit 0
