#!/usr/bin/env bash
# Parser benchmark: parses the whole fetched corpus with `javaparse -each` in
# one process (as caldrex parses its work list) and with the Eclipse compiler's
# parser at source level 1.4 in one JVM (EcjParse.java, built here with javac),
# and reports for each the wall time, MB/s and peak memory, and our figures as
# a ratio of theirs. The files of corpus/<package>.source13 and those that
# skip.tsv removes are left out on both sides.
#
#   tools/bench/parse.sh [BUILD_DIR] [CORPUS_DIR]    (build/release, corpus/)
# Needs the Debian package ecj (apt-get install ecj) and a JDK for javac.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/release}
corpus=$(cd "${2:-${CORPUS_DIR:-$root/corpus}}" && pwd)
ecj_jar=/usr/share/java/eclipse-jdt-core.jar
[ -f "$ecj_jar" ] || { echo "parse.sh: $ecj_jar missing (apt-get install ecj)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The file list: every corpus file parsed at source level 1.4.
: > "$work/files"
for done_mark in "$corpus"/*/.complete; do
  [ -f "$done_mark" ] || continue
  dir=$(dirname "$done_mark")
  pkg=$(basename "$dir")
  awk -F'\t' -v p="$pkg" '$1 == p { print "/" $2 }' "$root/tools/corpus/skip.tsv" > "$work/skip"
  [ -f "$corpus/$pkg.source13" ] && sed 's|^|/|' "$corpus/$pkg.source13" >> "$work/skip"
  find "$dir" -name '*.java' -type f | sort | grep -vF -f "$work/skip" >> "$work/files" || true
done
files=$(wc -l < "$work/files")
[ "$files" -gt 0 ] || { echo "parse.sh: no corpus in $corpus (tools/corpus/fetch)" >&2; exit 1; }
bytes=$(xargs -d '\n' cat < "$work/files" | wc -c)

javac -nowarn -cp "$ecj_jar" -d "$work" "$here/EcjParse.java"

# Runs a command under /usr/bin/time; sets seconds and kilobytes.
measure() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@"
  read -r seconds kilobytes < "$work/time"
}

# Warm the file cache so that neither side pays for the first read.
xargs -d '\n' cat < "$work/files" > /dev/null

mapfile -t list < "$work/files"
measure "$build/bin/javaparse" -each -source 1.4 "${list[@]}" 2> "$work/ours.err"
our_s=$seconds our_kb=$kilobytes
[ -s "$work/ours.err" ] && { echo "parse.sh: javaparse reported messages:" >&2; head "$work/ours.err" >&2; }
measure java -cp "$work:$ecj_jar" EcjParse < "$work/files" > "$work/ecj.out"
ecj_s=$seconds ecj_kb=$kilobytes
ecj_loop=$(awk '{print $6}' "$work/ecj.out")

awk -v f="$files" -v b="$bytes" -v os="$our_s" -v ok="$our_kb" -v es="$ecj_s" -v ek="$ecj_kb" -v el="$ecj_loop" 'BEGIN {
  mb = b / 1e6
  printf "corpus: %d files, %.1f MB\n", f, mb
  printf "javaparse:   %6.2f s  %7.1f MB/s  peak %7.1f MB\n", os, mb / os, ok / 1024
  printf "ecj parser:  %6.2f s  %7.1f MB/s  peak %7.1f MB  (parse loop alone %.2f s, %.1f MB/s)\n", es, mb / es, ek / 1024, el, mb / el
  printf "ratio javaparse/ecj: speed %.2f x (against the loop alone %.2f x), peak memory %.2f x\n", es / os, el / os, ok / ek
}'
