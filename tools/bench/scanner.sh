#!/usr/bin/env bash
# Throughput of the Java scanner in MB/s.
#   tools/bench/scanner.sh [FILE...]
# Without files it generates about 64 MB of Java source (declarations,
# statements, comments, string, character and numeric literals, CRLF and LF
# lines) in the build directory. The release build is used; build it first
# (cmake --preset release && cmake --build --preset release).
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=build/release/bin
[ -x "$bin/scanbench" ] || { echo "build the release preset first" >&2; exit 1; }
if [ $# -eq 0 ]; then
  input=build/release/bench-input.java
  if [ ! -f "$input" ]; then
    unit=$(mktemp)
    cat > "$unit" <<'JAVA'
/*
 * A generated compilation unit for the scanner benchmark. It holds the kinds
 * of text real sources are made of, in about their usual proportions.
 */
package org.example.bench;

import java.util.HashMap;
import java.util.Map;

/** Keeps counters by name and reports them. */
public class CounterTable implements Comparable {
    private static final int DEFAULT_CAPACITY = 0x40;
    private final Map counters = new HashMap(DEFAULT_CAPACITY);
    private double scale = 1.5e-3d;
    private long total = 0L;

    // Adds one to the counter of the given name.
    public synchronized int increment(String name, char separator) {
        Integer value = (Integer) counters.get(name);
        int next = value == null ? 1 : value.intValue() + 1;
        counters.put(name, new Integer(next));
        total += next >>> 1;
        if (separator == '\n' || separator == '\u0009') {
            System.out.println("counter " + name + " is now " + next + "\t(total)");
        }
        for (int i = 0; i < next && i <= 017; i++) {
            scale *= 1.0001f;
        }
        return next;
    }

    public int compareTo(Object other) {
        return (int) (total - ((CounterTable) other).total);
    }
}
JAVA
    # Half of the copies with CRLF line ends.
    crlf=$(mktemp)
    sed 's/$/\r/' "$unit" > "$crlf"
    block=$(mktemp)
    for _ in $(seq 1 256); do cat "$unit" "$crlf"; done > "$block"
    : > "$input"
    for _ in $(seq 1 $(( 64000000 / $(stat -c %s "$block") + 1 ))); do cat "$block" >> "$input"; done
    rm -f "$unit" "$crlf" "$block"
  fi
  set -- "$input"
fi
for run in 1 2 3; do "$bin/scanbench" "$@"; done
