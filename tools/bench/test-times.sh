#!/usr/bin/env bash
# The time of every test of a build, one at a time so that no two compete for
# the machine, slowest first. Tests are not timed by themselves: a test's time
# belongs here, beside the other benchmarks. With a second build directory
# the same tests are run there too and both times are shown side by side.
#
#   tools/bench/test-times.sh [BUILD_DIR [BEFORE_BUILD_DIR]] [-- CTEST_ARGS...]
#       (build/release; e.g. -- -L golden.hostile for one suite)
#
# Prints "seconds  [before-seconds]  name" for each test, slowest first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/release
before=
if [ $# -gt 0 ] && [ "$1" != -- ]; then build=$(cd "$1" && pwd); shift; fi
if [ $# -gt 0 ] && [ "$1" != -- ]; then before=$(cd "$1" && pwd); shift; fi
[ "${1:-}" = -- ] && shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# times DIR OUT: "name seconds" per test of the build in DIR.
times() {
  (cd "$1" && ctest -j1 "${@:3}" > "$work/log" 2>&1) || true
  sed -n 's/^ *[0-9]*\/[0-9]* *Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\1 \2/p' "$work/log" |
    sort > "$2"
}
times "$build" "$work/after" "$@"
if [ -n "$before" ]; then
  times "$before" "$work/before" "$@"
  join -a 1 -e - -o 0,1.2,2.2 "$work/after" "$work/before" |
    awk '{ printf "%8s  %8s  %s\n", $2, $3, $1 }' | sort -rn
else
  awk '{ printf "%8s  %s\n", $2, $1 }' "$work/after" | sort -rn
fi
