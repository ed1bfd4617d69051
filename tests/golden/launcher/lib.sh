# Shared set-up of the launcher's golden cases, sourced by each case's cmd
# as . "$CASE/../lib.sh".
#
# A case builds a product home in its work directory: home/bin holds links to
# the launcher under the four command names, home/classes the jars. A stand-in
# JVM (jvm/java) prints the path it was started under and every argument in
# brackets, on one line. Outputs are shown with the work directory written as
# <work>, so that they do not depend on where the case runs.

unset CLASSPATH JAVA_TOOL_OPTIONS _JAVA_OPTIONS JDK_JAVA_OPTIONS
WORK=$(pwd -P)
LAUNCHER=$BIN/launcher
SYSPATH=$PATH

# make_home DIR: DIR/bin with client, zux, xclient and run, and DIR/classes.
make_home() {
  mkdir -p "$1/bin" "$1/classes"
  for c in client zux xclient run; do ln -s "$LAUNCHER" "$1/bin/$c"; done
}

# fake_java DIR: an executable DIR/java that prints its path and arguments.
fake_java() {
  mkdir -p "$1"
  cat > "$1/java" <<'JAVA'
#!/bin/sh
printf 'java %s' "$0"
for a in "$@"; do printf ' [%s]' "$a"; done
printf '\n'
JAVA
  chmod +x "$1/java"
}

# run TITLE COMMAND...: runs the command (with env, so that PATH and other
# variables can be set for it alone) and shows its standard output, its
# standard error and its exit status, each apart.
run() {
  echo "== $1"
  shift
  "$@" >"$WORK/.out" 2>"$WORK/.err"
  status=$?
  sed "s|$WORK|<work>|g" "$WORK/.out"
  if [ -s "$WORK/.err" ]; then
    echo "-- stderr"
    sed "s|$WORK|<work>|g" "$WORK/.err"
  fi
  echo "-- status $status"
}
