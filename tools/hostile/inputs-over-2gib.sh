#!/usr/bin/env bash
# Inputs of more than 2 GiB: each program reads a generated stream of about
# 2.2 GB (2,200,001 comment lines of 1000 bytes between a few real lines)
# through a pipe as /dev/stdin, so nothing large is written to disk, and must
# name the right line beyond the 2 GiB mark, or end with a fatal message where
# it cannot keep such positions (the Java syntax tree). Each case compares the
# exact standard output, standard error and exit status, and prints PASS or
# FAIL with its time. Not part of the test suite: each case reads 2.2 GB.
#
#   tools/hostile/inputs-over-2gib.sh [BUILD_DIR]    (build/release)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "${1:-$root/build/release}" && pwd)/bin
for program in caldrex javaparse zebcheck; do
  [ -x "$bin/$program" ] || { echo "inputs-over-2gib.sh: no $bin/$program (build first)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
: > std.txt
printf 'class B {\n  int x = ;\n}\n' > B.java

Lines=2200001
# The comment lines: 999 characters and a line feed each.
Comments() {
  yes "// $(head -c 996 /dev/zero | tr '\0' c)" | head -n "$Lines"
}

failures=0
# Check NAME EXPECTED_STDOUT EXPECTED_STDERR EXPECTED_STATUS: compares what the
# last run left in out, err and status.
Check() {
  local got_out got_err got_status
  got_out=$(cat out)
  got_err=$(cat err)
  got_status=$(cat status)
  if [ "$got_out" = "$2" ] && [ "$got_err" = "$3" ] && [ "$got_status" = "$4" ]; then
    echo "PASS $1 ($(cat seconds) s)"
  else
    failures=$((failures + 1))
    echo "FAIL $1 ($(cat seconds) s)"
    printf '  stdout: %s\n  stderr: %s\n  status: %s\n' "$got_out" "$got_err" "$got_status"
  fi
}

# Run PRODUCER COMMAND...: the producer's output is the command's standard
# input; keeps the command's stdout, stderr, status and time.
Run() {
  local producer=$1 start end
  shift
  start=$(date +%s)
  set +e
  "$producer" | "$@" > out 2> err
  echo "${PIPESTATUS[1]}" > status
  set -e
  end=$(date +%s)
  echo $((end - start)) > seconds
}

ErrorAfterComments() { echo 'class A {'; Comments; printf '  int x = ;\n}\n'; }
Run ErrorAfterComments "$bin/caldrex" -std std.txt /dev/stdin
Check "caldrex: a syntax error on line 2,200,003" "" \
  '"/dev/stdin", line 2200003  11  VariableInitializer expected ' 1

ClassAroundComments() { echo 'class A {'; Comments; echo '}'; }
Run ClassAroundComments "$bin/javaparse" /dev/stdin B.java
Check "javaparse: the second input's lines after 2 GiB of the first" "" \
  '"B.java", line 2  11  VariableInitializer expected ' 1

ConfigurationAfterComments() { Comments; printf '\\a{1}\n\\b{{a + c}}\n'; }
Run ConfigurationAfterComments "$bin/zebcheck" /dev/stdin
Check "zebcheck: an undefined name on line 2,200,003" "$(printf '\\a{ 1 }\n\\b{ { a + c } }')" \
  '"/dev/stdin", line 2200003  9  no definition for c' 1

FieldAfterComments() { echo 'class A {'; Comments; printf '  int x;\n}\n'; }
Run FieldAfterComments "$bin/caldrex" -std std.txt /dev/stdin
Check "caldrex: a unit whose field begins beyond 2 GiB" "" \
  "$(printf '/dev/stdin:\n2200003  3  ?? fatalerror : input too long for the syntax tree')" 1

echo "$failures failed"
[ "$failures" -eq 0 ]
