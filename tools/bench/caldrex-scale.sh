#!/usr/bin/env bash
# caldrex on generated inputs whose size grows, to show how its time and peak
# memory scale (each shape at N and at N/2: the ratio of the two times is
# about 2 where the cost is linear in N):
#   chain     N files C0.java ... each naming the next, one directory;
#   packages  N files in package a.b.c.d.e.f, each importing java.util.*,
#             extending Object, naming the next and using a qualified chain;
#   unit      N/5 files U0.java ... given on the command line, which makes
#             them one compilation unit of N/5 classes, each naming the
#             next (each file is then found and parsed again on its own);
#   fields    one class of N/2 fields, each initialised from the one before;
#   dotted    one class whose field is initialised from a dotted name of N
#             components (a.a.a...), none of whose prefixes names a file.
# The generated files go to a temporary directory.
#
#   tools/bench/caldrex-scale.sh [BUILD_DIR] [N]    (build/release, 50000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
n=${2:-50000}
caldrex=$build/bin/caldrex
[ -x "$caldrex" ] || { echo "caldrex-scale.sh: no $caldrex (build the release preset first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_chain() {  # DIR COUNT
  mkdir -p "$1"
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = "C" i ".java"
      if (i < n - 1) print "class C" i " { C" (i + 1) " n; }" > f; else print "class C" i " { Missing m; }" > f
      close(f) } }')
}
make_packages() {  # DIR COUNT
  mkdir -p "$1/a/b/c/d/e/f"
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = "a/b/c/d/e/f/C" i ".java"
      print "package a.b.c.d.e.f;\nimport java.util.*;" > f
      if (i < n - 1) print "public class C" i " extends Object { C" (i + 1) " n; void m(C" i " x) { x.n.n.hashCode(); } }" > f
      else print "public class C" i " { Missing m; }" > f
      close(f) } }')
}
make_unit() {  # DIR COUNT
  mkdir -p "$1"
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) { f = "U" i ".java"; print "class U" i " { U" ((i + 1) % n) " n; }" > f; close(f) } }')
}
make_fields() {  # DIR COUNT
  mkdir -p "$1"
  awk -v n="$2" 'BEGIN { print "class Big {"; print "int f0;"
    for (i = 1; i < n; i++) print "int f" i " = f" (i - 1) ";"; print "}" }' > "$1/Big.java"
}
make_dotted() {  # DIR COUNT
  mkdir -p "$1"
  awk -v n="$2" 'BEGIN { printf "class Long { Object o = a"
    for (i = 1; i < n; i++) printf ".a"; print "; }" }' > "$1/Long.java"
}

# Prints "SECONDS PEAK_MB" of caldrex run in DIR with the given files.
measure() {
  local dir=$1
  shift
  (cd "$dir" && /usr/bin/time -f '%e %M' -o "$work/time" "$caldrex" -ti "$work/ti" -tw "$work/tw" \
      -ij "$work/ij" -ic "$work/ic" -res "$work/res" "$@" 2>/dev/null) || {
    echo "caldrex-scale.sh: caldrex failed in $dir" >&2
    exit 1
  }
  awk '{ printf "%.2f %.1f", $1, $2 / 1024 }' "$work/time"
}

report() {  # NAME SIZE_HALF SIZE_FULL FIGURES_HALF FIGURES_FULL
  read -r th mh <<< "$4"
  read -r tf mf <<< "$5"
  awk -v name="$1" -v h="$2" -v f="$3" -v th="$th" -v mh="$mh" -v tf="$tf" -v mf="$mf" 'BEGIN {
    printf "%-9s %7d: %6.2f s %7.1f MB   %7d: %6.2f s %7.1f MB   time ratio %.2f\n",
           name, h, th, mh, f, tf, mf, (th > 0 ? tf / th : 0) }'
}

half=$((n / 2))
for size in "$half" "$n"; do
  make_chain "$work/chain$size" "$size"
  make_packages "$work/packages$size" "$size"
  make_unit "$work/unit$size" $((size / 5))
  make_fields "$work/fields$size" $((size / 2))
  make_dotted "$work/dotted$size" "$size"
done
report chain "$half" "$n" "$(measure "$work/chain$half" C0.java)" "$(measure "$work/chain$n" C0.java)"
report packages "$half" "$n" "$(measure "$work/packages$half" a/b/c/d/e/f/C0.java)" \
  "$(measure "$work/packages$n" a/b/c/d/e/f/C0.java)"
files() { seq 0 $(($1 - 1)) | sed 's/.*/U&.java/'; }
report unit $((half / 5)) $((n / 5)) "$(measure "$work/unit$half" $(files $((half / 5))))" \
  "$(measure "$work/unit$n" $(files $((n / 5))))"
report fields $((half / 2)) $((n / 2)) "$(measure "$work/fields$half" Big.java)" "$(measure "$work/fields$n" Big.java)"
report dotted "$half" "$n" "$(measure "$work/dotted$half" Long.java)" "$(measure "$work/dotted$n" Long.java)"
