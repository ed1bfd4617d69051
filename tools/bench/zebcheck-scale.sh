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
#              once from N sibling scopes;
#   dchain     N/40 chains of 40 names, each doubling through the next
#              ({x * x}), the last a number;
#   dcycle     the same with each chain's last name naming its first, so
#              that each chain is a cycle: every fold meets a cut;
#   cycle      one cycle of N names, each valued {next + 1};
#   names      one cycle of N names, each valued {next}: the name a
#              definition yields depends on where its fold starts;
#   qcycle     one cycle through N groups, each holding x, valued
#              {next.y * 2}, and y, valued {x}.
# The canonical form indents each nesting level by two more blanks, so the
# output of the two nested shapes grows with the square of their depth; the
# output's size is shown for every shape, and there the time follows it.
# With a BEFORE program the same runs are made with it too and both are
# shown side by side; a run of BEFORE that takes more than LIMIT seconds
# (default 60: an evaluator that walks each cycle again from every name
# can take hours) is stopped and shown as such, and then its 4N run is
# not made. The inputs go to a temporary directory. Every shape is a
# configuration without errors, so a run that ends with a status other
# than 0 (a message, a crash, memory exhaustion) ends the script with
# status 1 and the run's last messages.
#
#   [LIMIT=SECONDS] tools/bench/zebcheck-scale.sh [ZEBCHECK [BEFORE [N]]]
#       (build/release/bin/zebcheck, none, 10000)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=${1:-$root/build/release/bin/zebcheck}
before=${2:-}
n=${3:-10000}
limit=${LIMIT:-60}
for p in "$program" $before; do
  [ -x "$p" ] || { echo "zebcheck-scale.sh: no program $p (build the release preset first)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shapes="dup qualified levels scopes deep chain wide dchain dcycle cycle names qcycle"

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
    } else if (shape == "dchain" || shape == "dcycle") {
      for (b = 0; b < n / 40; b++) {
        for (i = 0; i < 39; i++) printf "\\x%d_%d{{x%d_%d * x%d_%d}}\n", b, i, b, i + 1, b, i + 1
        if (shape == "dchain") printf "\\x%d_39{2}\n", b
        else printf "\\x%d_39{{x%d_0}}\n", b, b
      }
    } else if (shape == "cycle" || shape == "names") {
      for (i = 0; i < n; i++) printf "\\a%d{{a%d%s}}\n", i, (i + 1) % n, shape == "cycle" ? " + 1" : ""
    } else if (shape == "qcycle") {
      for (i = 0; i < n; i++) printf "\\g%d{ \\x{{g%d.y * 2}} \\y{{x}} }\n", i, (i + 1) % n
    }
  }' > "$3"
}

# Sets `figures` to "SECONDS PEAK_KB" of a run of PROGRAM on FILE, or to
# "- -" when a run of BEFORE was stopped after LIMIT seconds; ends the
# script when the run fails. (Not called in a subshell, so that its exit
# ends the script.)
figures=
measure() {  # PROGRAM FILE
  local status=0
  if [ "$1" = "$before" ]; then
    /usr/bin/time -f '%e %M' -o "$work/time" timeout "$limit" "$1" "$2" >/dev/null 2>"$work/stderr" || status=$?
    if [ "$status" -eq 124 ]; then
      figures="- -"
      return
    fi
  else
    /usr/bin/time -f '%e %M' -o "$work/time" "$1" "$2" >/dev/null 2>"$work/stderr" || status=$?
  fi
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
  awk -v l="$1" -v t1="$t1" -v k1="$k1" -v t4="$t4" -v k4="$k4" -v limit="$limit" '
  function cell(t, k) {
    if (t == "-") return sprintf("%9s %11s", "> " limit " s", "")
    return sprintf("%7.2f s %8.1f MB", t, k / 1024)
  }
  BEGIN {
    printf "  %-7s %s | %s", l, cell(t1, k1), cell(t4, k4)
    if (t1 == "-" || t4 == "-") print " |"
    else printf " | time x%5.1f  memory x%5.1f\n", t4 / (t1 < 0.01 ? 0.01 : t1), k4 / k1 }'
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
    [ "$one" = "- -" ] || measure "$p" "$work/$shape-4.cfg"
    report "$run" "$one" "$figures"
  done
done
