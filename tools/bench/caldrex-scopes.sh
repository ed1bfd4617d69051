#!/usr/bin/env bash
# caldrex on generated single-file units whose scopes grow, to show how the
# definition sets and name lookups scale: each shape at N and at 4N, with the
# wall time and peak memory (maximum resident set) of each run and their
# ratios, which are about 4 where the cost is linear. With a second caldrex,
# both run on the same files, side by side, and their exit status, standard
# output and standard error must agree.
#   nested     classes nested N/4 deep, each with ten fields; the innermost
#              field is initialised from the outermost class's field
#   nestedtype the same, each level's fields of a type of its own, not declared
#   dup        a field name declared N times and used N times
#   dupscopes  the same, each use in a method of its own with a local
#   qualified  N fields q of a class type, N uses q.x
#   bigsuper   a class of N fields extended by one that uses them all
#   subchain   N/4 classes, each extending the one before with ten fields,
#              the last using the first's fields through this, super and a
#              variable
#   manysubs   N/10 classes extending one class of N fields, each using one
#   varsoftype N variables of a class type whose class has N/10 members and a
#              superclass, each used once
#   interfaces N/4 interfaces, each extending the one before with a constant,
#              and a class implementing the last that uses all constants
#   thissuper  a class of N fields and its subclass with N methods, each
#              using this.f and super.f
#   dupclasses N classes of one name, each with a field, and N uses A.f
#
#   tools/bench/caldrex-scopes.sh [CALDREX [N [OTHER_CALDREX]]]
#       (build/release/bin/caldrex, 4000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
caldrex=${1:-$root/build/release/bin/caldrex}
n=${2:-4000}
other=${3:-}
shapes=${SCOPE_SHAPES:-nested nestedtype dup dupscopes qualified bigsuper subchain manysubs varsoftype interfaces thissuper dupclasses}
[ -x "$caldrex" ] || { echo "caldrex-scopes.sh: no $caldrex (build the release preset first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_shape() {  # SHAPE N FILE
  awk -v s="$1" -v n="$2" 'BEGIN {
    if (s == "nested" || s == "nestedtype") {
      d = int(n / 4)
      for (l = 0; l < d; l++) { printf "class N%d { ", l
        for (j = 0; j < 10; j++) printf "%s f%d_%d; ", (s == "nested" ? "X" : "T" l), l, j }
      printf "Y z = f0_1;"; for (l = 0; l < d; l++) printf " }"; print ""
    } else if (s == "dup") {
      print "class A {"; for (i = 0; i < n; i++) print "X a;"
      print "void m() {"; for (i = 0; i < n; i++) print "a.f();"; print "} }"
    } else if (s == "dupscopes") {
      print "class A {"; for (i = 0; i < n; i++) print "X a;"
      for (i = 0; i < n; i++) print "void m" i "() { int y; a.f(); }"; print "}"
    } else if (s == "qualified") {
      print "class Q { int x; Q q; }"; print "class A {"; for (i = 0; i < n; i++) print "Q q;"
      print "void m() {"; for (i = 0; i < n; i++) print "int y" i " = q.x;"; print "} }"
    } else if (s == "bigsuper") {
      print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
      print "class A extends B { void m() {"; for (i = 0; i < n; i++) print "f" i " = f" (n - 1 - i) ";"; print "} }"
    } else if (s == "subchain") {
      d = int(n / 4); print "class C0 { int g0; }"
      for (l = 1; l < d; l++) { printf "class C%d extends C%d {", l, l - 1
        for (j = 0; j < 10; j++) printf " int g%d_%d;", l, j; print " }" }
      printf "class Z extends C%d { C%d c; void m() {\n", d - 1, d - 1
      for (l = 1; l < d; l++) print "this.g" l "_1 = super.g" l "_2 + c.g" l "_3 + g0;"; print "} }"
    } else if (s == "manysubs") {
      print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
      for (i = 0; i < n / 10; i++) print "class S" i " extends B { int x = f" i " + this.f" i "; }"
    } else if (s == "varsoftype") {
      print "class P { int p; }"; print "class C extends P {"; for (i = 0; i < n / 10; i++) print "int f" i ";"; print "}"
      print "class A {"; for (i = 0; i < n; i++) print "C c" i ";"
      print "void m() {"; for (i = 0; i < n; i++) print "c" i ".f" (i % (n / 10)) " = 1;"; print "} }"
    } else if (s == "interfaces") {
      d = int(n / 4); print "interface I0 { int K0 = 0; }"
      for (l = 1; l < d; l++) print "interface I" l " extends I" (l - 1) " { int K" l " = " l "; }"
      print "class A implements I" (d - 1) " { void m() {"
      for (l = 0; l < d; l++) print "int y" l " = K" l " + A.K" l ";"; print "} }"
    } else if (s == "thissuper") {
      print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
      print "class A extends B {"; for (i = 0; i < n; i++) print "void m" i "() { this.f" i " = super.f" i "; }"; print "}"
    } else if (s == "dupclasses") {
      for (i = 0; i < n; i++) print "class A { static int f; }"
      print "class U { void m() {"; for (i = 0; i < n; i++) print "A.f = " i ";"; print "} }"
    }
  }' > "$3"
}

# Runs caldrex on one file; sets seconds and kilobytes; keeps its output.
measure() {  # CALDREX FILE OUT
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$1" -std /dev/null "$2" > "$3.out" 2> "$3.err" || status=$?
  echo "$status" > "$3.status"
  read -r seconds kilobytes < <(tail -n 1 "$work/time")
}

printf '%-11s %8s %9s %10s %9s %10s %7s %7s\n' shape N s "peak KB" "s (4N)" "peak (4N)" "time x" "peak x"
for shape in $shapes; do
  for size in "$n" $((4 * n)); do
    make_shape "$shape" "$size" "$work/$shape$size.java"
    measure "$caldrex" "$work/$shape$size.java" "$work/ours$size"
    eval "s$size=$seconds k$size=$kilobytes"
    if [ -n "$other" ]; then
      measure "$other" "$work/$shape$size.java" "$work/other$size"
      for part in out err status; do
        cmp -s "$work/ours$size.$part" "$work/other$size.$part" || echo "  $shape $size: $part differs" >&2
      done
    fi
  done
  eval "a=\$s$n b=\$k$n c=\$s$((4 * n)) d=\$k$((4 * n))"
  awk -v w="$shape" -v n="$n" -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN {
    printf "%-11s %8d %9.2f %10d %9.2f %10d %7.1f %7.1f\n", w, n, a, b, c, d, (a > 0 ? c / a : 0), d / b }'
done
