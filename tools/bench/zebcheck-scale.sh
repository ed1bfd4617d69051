#!/usr/bin/env bash
# zebcheck on generated configurations whose size grows, to show how its
# peak memory and time scale with the number of names and definitions. Each
# shape runs at N and at 4N; where the cost is linear the ratios are about 4.
#   dup        N definitions of one name d, each valued {d + 1}: every use
#              of d has N definitions to choose from;
#   qualified  N definitions of q, each holding x, and N uses of q.x: the
#              member is looked up among the nested definitions of all N;
#   levels     d and q (holding x) defined again at each of N/8 nesting
#              levels, with uses of d and q.x at every level;
#   scopes     N definitions of d and of q at the top, and N definitions
#              that each open a scope of their own and use d and q.x in it;
#   deep       N/8 nesting levels, with a use of a different top-level name
#              at each level (N top-level names);
#   chain      N names, each defined twice, each folding through the next;
#   wide       one scope of N definitions, each defined twice, each named
#              once from N sibling scopes.
# The canonical form indents each nesting level by two more blanks, so the
# output of the two nested shapes grows with the square of their depth; the
# output's size is shown for every shape, and there the time follows it.
# With a BEFORE program the same runs are made with it too and both are
# shown side by side. The inputs go to a temporary directory. Every shape
# is a configuration without errors, so a run that ends with a status other
# than 0 (a message, a crash, memory exhaustion) ends the script with status
# 1 and the run's last messages.
#
#   tools/bench/zebcheck-scale.sh [ZEBCHECK [BEFORE [N]]]
#       (build/release/bin/zebcheck, none, 10000)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=${1:-$root/build/release/bin/zebcheck}
before=${2:-}
n=${3:-10000}
for p in "$program" $before; do
  [ -x "$p" ] || { echo "zebcheck-scale.sh: no program $p (build the release preset first)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shapes="dup qualified levels scopes deep chain wide"

make_shape() {  # SHAPE COUNT FILE
  awk -v shape="$1" -v n="$2" 'BEGIN {
    if (shape == "dup") {
      for (i = 0; i < n; i++) print "\\d{{d + 1}}"
    } else if (shape == "qualified") {
      for (i = 0; i < n; i++) print "\\q{\\x{" i "}}"
      for (i = 0; i < n; i++) print "\\p" i "{{q.x + " i "}}"
    } else if (shape == "levels") {
      print "\\d{0}"
      print "\\q{\\x{0}}"
      for (i = 0; i < n / 8; i++) printf "\\a{\\d{%d} \\q{\\x{%d}} \\p{{d + q.x}}\n", i, i
      for (i = 0; i < n / 8; i++) printf "}"
      print ""
    } else if (shape == "scopes") {
      for (i = 0; i < n; i++) print "\\d{" i "}"
      for (i = 0; i < n; i++) print "\\q{\\x{" i "}}"
      for (i = 0; i < n; i++) print "\\s" i "{\\y{1} \\z{{d + q.x + y}}}"
    } else if (shape == "deep") {
      for (i = 0; i < n; i++) print "\\x" i "{" i "}"
      for (i = 0; i < n / 8; i++) printf "\\a{\\p{{x%d}}\n", i
      for (i = 0; i < n / 8; i++) printf "}"
      print ""
    } else if (shape == "chain") {
      for (i = 0; i < n; i++) printf "\\c%d{{c%d + 1}}\n\\c%d{{c%d + 2}}\n", i, i + 1, i, i + 1
      printf "\\c%d{0}\n", n
    } else if (shape == "wide") {
      printf "\\w{"
      for (i = 0; i < n; i++) printf "\\v%d{%d} \\v%d{{-%d}}\n", i, i, i, i
      print "}"
      for (i = 0; i < n; i++) printf "\\s%d{\\t{1} \\p{{w.v%d + t}}}\n", i, i
    }
  }' > "$3"
}

# Sets `figures` to "SECONDS PEAK_KB" of a run of PROGRAM on FILE; ends the
# script when the run fails. (Not called in a subshell, so that its exit
# ends the script.)
figures=
measure() {  # PROGRAM FILE
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$1" "$2" >/dev/null 2>"$work/stderr" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "zebcheck-scale.sh: $1 failed on $(basename "$2") with status $status:" >&2
    tail -n 3 "$work/stderr" >&2
    exit 1
  fi
  figures=$(tail -n 1 "$work/time")
}

# One line: N and 4N figures of a program, with the 4N/N ratios.
report() {  # LABEL FIGURES_N FIGURES_4N
  read -r t1 k1 <<< "$2"
  read -r t4 k4 <<< "$3"
  awk -v l="$1" -v t1="$t1" -v k1="$k1" -v t4="$t4" -v k4="$k4" 'BEGIN {
    printf "  %-7s %7.2f s %8.1f MB | %7.2f s %8.1f MB | time x%5.1f  memory x%5.1f\n",
      l, t1, k1 / 1024, t4, k4 / 1024, t4 / (t1 < 0.01 ? 0.01 : t1), k4 / k1 }'
}

# Bytes of the canonical form of a file (by the program measured).
output_mb() {  # FILE
  "$program" "$1" 2>/dev/null | wc -c | awk '{ printf "%.1f", $1 / 1e6 }'
}

printf "%-11s %-8s %-21s   %-21s\n" shape program "N = $n" "4N = $((4 * n))"
for shape in $shapes; do
  make_shape "$shape" "$n" "$work/$shape-1.cfg"
  make_shape "$shape" $((4 * n)) "$work/$shape-4.cfg"
  echo "$shape (output $(output_mb "$work/$shape-1.cfg") MB | $(output_mb "$work/$shape-4.cfg") MB)"
  for run in before after; do
    p=$program
    if [ "$run" = before ]; then
      [ -n "$before" ] || continue
      p=$before
    fi
    measure "$p" "$work/$shape-1.cfg"
    one=$figures
    measure "$p" "$work/$shape-4.cfg"
    report "$run" "$one" "$figures"
  done
done
