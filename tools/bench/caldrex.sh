#!/usr/bin/env bash
# caldrex benchmark: on the largest fetched corpus package, finds the start
# file (among every 40th file of its main source root) whose closure is the
# largest, then times caldrex on it (best of three runs) beside the Eclipse
# compiler `ecj -verbose` finding the same file's source closure on the same
# source path, and reports both times, the files each one read, peak memory
# and the ratio. ecj's type errors (its class library is newer than the
# corpus) do not matter: it proceeds and still reads the closure.
#
#   tools/bench/caldrex.sh [BUILD_DIR] [CORPUS_DIR]    (build/release, corpus/)
# Needs the Debian package ecj (apt-get install ecj).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
corpus=$(cd "${2:-${CORPUS_DIR:-$root/corpus}}" && pwd)
caldrex=$build/bin/caldrex
command -v ecj >/dev/null || { echo "caldrex.sh: ecj missing (apt-get install ecj)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The largest package and its main source root.
best_pkg="" best_count=0
for done_mark in "$corpus"/*/.complete; do
  [ -f "$done_mark" ] || continue
  dir=$(dirname "$done_mark")
  count=$(find "$dir" -name '*.java' -type f | wc -l)
  if [ "$count" -gt "$best_count" ]; then best_pkg=$dir best_count=$count; fi
done
[ -n "$best_pkg" ] || { echo "caldrex.sh: no corpus in $corpus (tools/corpus/fetch)" >&2; exit 1; }
"$root/tools/corpus/roots" "$best_pkg" > "$work/roots"
src=$(cut -f1 "$work/roots" | sort | uniq -c | sort -k1,1nr -k2 | head -n 1 | sed 's/^ *[0-9]* //')
awk -F'\t' -v r="$src" '$1 == r { print substr($2, length(r) + 2) }' "$work/roots" > "$work/files"
root_files=$(wc -l < "$work/files")

lists() { echo -ti "$work/ti" -tw "$work/tw" -ij "$work/ij" -ic "$work/ic" -res "$work/res"; }
cd "$src"
start="" start_found=0
while read -r f; do
  "$caldrex" -sp . -source 1.4 $(lists) "$f" 2>/dev/null || continue
  n=$(wc -l < "$work/ij")
  if [ "$n" -gt "$start_found" ]; then start=$f start_found=$n; fi
done < <(awk 'NR % 40 == 1' "$work/files")
[ -n "$start" ] || { echo "caldrex.sh: no start file ran" >&2; exit 1; }

measure() {
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" || status=$?
  # A failing command puts a line of its own before the figures.
  read -r seconds kilobytes < <(tail -n 1 "$work/time")
  return $status
}
# Warm the file cache.
cat $(cut -f1 "$work/files") > /dev/null

our_s=999999 our_kb=0
for run in 1 2 3; do
  measure "$caldrex" -sp . -source 1.4 $(lists) "$start" 2>/dev/null
  if awk -v a="$seconds" -v b="$our_s" 'BEGIN { exit !(a < b) }'; then our_s=$seconds our_kb=$kilobytes; fi
done
our_files=$(( $(wc -l < "$work/ij") + 1 ))

measure ecj -verbose -sourcepath . -d none -source 1.4 -target 1.4 -nowarn -proceedOnError "$start" > "$work/ecj.out" 2>&1 || true
ecj_s=$seconds ecj_kb=$kilobytes
ecj_files=$(grep -c '^\[parsing ' "$work/ecj.out" || true)

awk -v pkg="$(basename "$best_pkg")" -v rf="$root_files" -v st="$start" -v os="$our_s" -v ok="$our_kb" \
    -v of="$our_files" -v es="$ecj_s" -v ek="$ecj_kb" -v ef="$ecj_files" 'BEGIN {
  printf "package %s: %d files in its source root; start file %s\n", pkg, rf, st
  printf "caldrex:      %6.2f s  %5d files parsed  peak %7.1f MB\n", os, of, ok / 1024
  printf "ecj -verbose: %6.2f s  %5d files parsed  peak %7.1f MB\n", es, ef, ek / 1024
  printf "ratio caldrex/ecj: time %.2f x, peak memory %.2f x\n", os / es, ok / ek
}'
