#!/usr/bin/env bash
# Instruction counts of the parser: `javaparse -each` over a fixed list of
# corpus files (the first COUNT files that tools/corpus/list gives a package
# at source level 1.4) under callgrind, the stable figure on a noisy machine.
# Reports the files, bytes and tokens, the instructions in all and per token,
# and the functions that execute the most instructions themselves: where a
# parser change goes, beside the totals of tools/bench/speed.sh.
#
#   tools/bench/engine-callgrind.sh [BUILD_DIR] [PACKAGE] [COUNT]
#   (build/release, libsaxon-java, 300; needs valgrind)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/release}
package=${2:-libsaxon-java}
count=${3:-300}
command -v valgrind > /dev/null || { echo "engine-callgrind.sh: valgrind missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/tools/corpus/list" 1.4 | grep "/$package/" | head -n "$count" > "$work/files" || true
files=$(wc -l < "$work/files")
[ "$files" -gt 0 ] || { echo "engine-callgrind.sh: no files of $package in the corpus" >&2; exit 1; }
mapfile -t list < "$work/files"
bytes=$(cat "${list[@]}" | wc -c)
# Tokens: one line each from javatokens, endoffile included, per file.
tokens=0
for f in "${list[@]}"; do
  n=$("$build/bin/javatokens" -source 1.4 "$f" | wc -l)
  tokens=$((tokens + n))
done

valgrind --tool=callgrind --callgrind-out-file="$work/out" \
  "$build/bin/javaparse" -each -source 1.4 "${list[@]}" > /dev/null 2> "$work/log"
total=$(sed -n 's/.*Collected : *//p' "$work/log")
echo "files $files, bytes $bytes, tokens $tokens"
echo "instructions $total, per token $((total / tokens)), per byte $((total / bytes))"
callgrind_annotate "$work/out" 2> /dev/null |
  awk '/file:function/ { on = 1; next } on && NF && !/^-+$/ && n < 8 { n++; print }' |
  sed -e 's/ \[[^]]*\]$//' -e 's/???://'
