#!/usr/bin/env bash
# Speed and memory of the Java front end, side by side with the Eclipse
# compiler, in one run:
#   1. parse: `javaparse -each` over every corpus file at source level 1.4
#      (tools/corpus/list) in one process, against the Eclipse compiler's
#      parser over the same files in one JVM (EcjParse.java, built here with
#      javac): its pass 1 (a cold JVM) and its pass 3 (warmed by two passes).
#   2. closures: caldrex on two large closures, libjt400's FormatRemote.java
#      and the largest closure of another package, against `ecj -verbose`
#      finding the same file's source closure on the same source path; the
#      median of three runs each. ecj's type errors (its class library is
#      newer than the corpus) do not matter: it proceeds and still reads the
#      closure.
#   3. callgrind: instructions of javaparse -each over the first 300 files of
#      the list and of caldrex on each closure: the stable figure on a
#      machine whose timings are noisy.
# Every line gives the wall time, the peak memory (maximum resident set) and
# the bytes of memory per byte of source read; ratios are ours against theirs
# from the same run. Nothing here is a test: it only reports.
#
#   tools/bench/speed.sh [BUILD_DIR] [CORPUS_DIR]    (build/release, corpus/)
#   SPEED_PARTS="parse closures callgrind"           the parts to run
#   SPEED_CLOSURES="ROOT:FILE ..."                   closures to run: a source
#       root relative to CORPUS_DIR and a start file relative to that root
# Needs the Debian package ecj, a JDK for javac, and valgrind for the callgrind part.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
corpus=$(cd "${2:-${CORPUS_DIR:-$root/corpus}}" && pwd)
parts=${SPEED_PARTS:-parse closures callgrind}
# The second closure is the largest of another package than libjt400 (whose
# other large closures mostly repeat FormatRemote's files): caldrex run on
# every tenth file of each package's main source root found none larger.
closures=${SPEED_CLOSURES:-libjt400-java/src:com/ibm/as400/util/commtrace/FormatRemote.java axis/axis-1.4/src:org/apache/axis/management/ServiceAdmin.java}
ecj_jar=/usr/share/java/eclipse-jdt-core.jar
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

need() { command -v "$1" >/dev/null || { echo "speed.sh: $1 missing ($2)" >&2; exit 1; }; }
has_part() { [[ " $parts " == *" $1 "* ]]; }

# Runs a command under /usr/bin/time; sets seconds and kilobytes (peak
# resident set). A failing command puts a line of its own before the figures.
measure() {
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" || status=$?
  read -r seconds kilobytes < <(tail -n 1 "$work/time")
  return $status
}

# Runs a command three times; sets seconds and kilobytes to the medians.
median3() {
  local times=() peaks=()
  for _ in 1 2 3; do
    measure "$@" || true
    times+=("$seconds") peaks+=("$kilobytes")
  done
  seconds=$(printf '%s\n' "${times[@]}" | sort -g | sed -n 2p)
  kilobytes=$(printf '%s\n' "${peaks[@]}" | sort -g | sed -n 2p)
}

# Instructions that callgrind counts for a command (all threads).
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" --max-stackframe=600000000 "$@" \
    > /dev/null 2> "$work/callgrind.err" || true
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/callgrind.err" | tail -n 1
}

# One line of the table: what, seconds, source bytes, peak KB, files.
row() {
  awk -v w="$1" -v s="$2" -v b="$3" -v k="$4" -v f="$5" 'BEGIN {
    printf "  %-28s %7.2f s  %7.1f MB/s  peak %7.1f MB  %6.1f bytes/byte  %5s files\n", w, s, b / 1e6 / (s > 0 ? s : 0.01), k / 1024, k * 1024 / b, f
  }'
}

ratio() {
  awk -v what="$1" -v a="$2" -v b="$3" 'BEGIN { printf "  %-50s %6.2f x\n", what, (a > 0 ? b / a : 0) }'
}

need /usr/bin/time "apt-get install time"
"$root/tools/corpus/list" 1.4 "$corpus" > "$work/files" || { echo "speed.sh: no corpus in $corpus (tools/corpus/fetch)" >&2; exit 1; }
mapfile -t list < "$work/files"
[ "${#list[@]}" -gt 0 ] || { echo "speed.sh: no corpus in $corpus (tools/corpus/fetch)" >&2; exit 1; }
# Warm the file cache so that no side pays for the first read.
xargs -d '\n' cat < "$work/files" > /dev/null

if has_part parse; then
  need javac "a JDK"
  [ -f "$ecj_jar" ] || { echo "speed.sh: $ecj_jar missing (apt-get install ecj)" >&2; exit 1; }
  bytes=$(xargs -d '\n' cat < "$work/files" | wc -c)
  javac -nowarn -cp "$ecj_jar" -d "$work" "$here/EcjParse.java"
  measure "$build/bin/javaparse" -each -source 1.4 "${list[@]}" 2> "$work/ours.err" || true
  our_s=$seconds our_kb=$kilobytes
  [ -s "$work/ours.err" ] && { echo "speed.sh: javaparse reported messages:" >&2; head "$work/ours.err" >&2; }
  measure java -cp "$work:$ecj_jar" EcjParse 3 < "$work/files" > "$work/ecj.out"
  ecj_s=$seconds ecj_kb=$kilobytes
  cold=$(awk '$2 == 1 { print $8 }' "$work/ecj.out")
  warm=$(awk '$2 == 3 { print $8 }' "$work/ecj.out")
  echo "parse: ${#list[@]} corpus files, $(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB, one process each"
  row "javaparse -each" "$our_s" "$bytes" "$our_kb" "${#list[@]}"
  row "ecj parser, pass 1 (cold)" "$cold" "$bytes" "$ecj_kb" "${#list[@]}"
  row "ecj parser, pass 3 (warm)" "$warm" "$bytes" "$ecj_kb" "${#list[@]}"
  echo "  (ecj: the parse loop alone; its peak is that of the whole JVM run of three passes)"
  ratio "javaparse speed against ecj pass 1 (cold)" "$our_s" "$cold"
  ratio "javaparse speed against ecj pass 3 (warm)" "$our_s" "$warm"
  ratio "javaparse peak memory against ecj's (lower is better)" "$ecj_kb" "$our_kb"
fi

if has_part closures; then
  need ecj "apt-get install ecj"
  for closure in $closures; do
    src=$corpus/${closure%%:*} start=${closure#*:}
    [ -f "$src/$start" ] || { echo "speed.sh: no $src/$start" >&2; continue; }
    lists=(-ti "$work/ti" -tw "$work/tw" -ij "$work/ij" -ic "$work/ic" -res "$work/res")
    (cd "$src" && median3 "$build/bin/caldrex" -sp . -source 1.4 "${lists[@]}" "$start" 2> /dev/null \
      && echo "$seconds $kilobytes" > "$work/ours")
    read -r our_s our_kb < "$work/ours"
    # The closure: the start file and every source file found.
    (cd "$src" && { echo "$start"; sed 's/^-i=//' "$work/ij"; } | xargs -d '\n' cat | wc -c) > "$work/bytes"
    closure_bytes=$(cat "$work/bytes")
    our_files=$(( $(wc -l < "$work/ij") + 1 ))
    (cd "$src" && median3 ecj -verbose -sourcepath . -d none -source 1.4 -target 1.4 -nowarn -proceedOnError "$start" \
      > "$work/ecj.out" 2>&1 && echo "$seconds $kilobytes" > "$work/theirs")
    read -r ecj_s ecj_kb < "$work/theirs"
    ecj_files=$(grep -c '^\[parsing ' "$work/ecj.out" || true)
    echo "closure: $(basename "$start") in ${closure%%:*}, $(awk -v b="$closure_bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB of source, median of three runs"
    row "caldrex" "$our_s" "$closure_bytes" "$our_kb" "$our_files"
    row "ecj -verbose" "$ecj_s" "$closure_bytes" "$ecj_kb" "$ecj_files"
    ratio "caldrex speed against ecj -verbose" "$our_s" "$ecj_s"
  done
fi

if has_part callgrind; then
  need valgrind "apt-get install valgrind"
  echo "callgrind instructions:"
  n=$(instructions "$build/bin/javaparse" -each -source 1.4 "${list[@]:0:300}")
  b=$(printf '%s\n' "${list[@]:0:300}" | xargs -d '\n' cat | wc -c)
  awk -v n="$n" -v b="$b" 'BEGIN { printf "  %-40s %14.0f  %6.1f per byte\n", "javaparse -each, first 300 files", n, n / b }'
  for closure in $closures; do
    src=$corpus/${closure%%:*} start=${closure#*:}
    [ -f "$src/$start" ] || continue
    n=$(cd "$src" && instructions "$build/bin/caldrex" -sp . -source 1.4 -ti "$work/ti" -tw "$work/tw" \
      -ij "$work/ij" -ic "$work/ic" -res "$work/res" "$start")
    b=$(cd "$src" && { echo "$start"; sed 's/^-i=//' "$work/ij"; } | xargs -d '\n' cat | wc -c)
    awk -v w="caldrex $(basename "$start")" -v n="$n" -v b="$b" 'BEGIN { printf "  %-40s %14.0f  %6.1f per byte\n", w, n, n / b }'
  done
fi
