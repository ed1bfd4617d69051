# Writes a configuration of `n` groups of definitions whose braced values
# are arithmetic mixing integer and real literals with names and qualified
# names, for the benchmark of zebcheck's folding of numbers:
#   awk -v n=3000 -f tools/bench/reals-config.awk > reals.cfg
# Every value folds to a number; the literals change from group to group,
# so the folded results have texts of many lengths and both signs.
BEGIN {
  letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"  # no "u": \u starts an escape
  print "\\base{ \\offset{12} \\scale{2.5} \\step{0.125} \\limit{1.5e3} }"
  for (i = 0; i < n; i++) {
    g = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
    printf "// measures %d\n", i
    printf "\\%s{\n", g
    printf "  \\width{{ %d.%d * 4 + base.offset - 2.5 * (%d + 0.75) / 3 }}\n", i % 97, i % 10, i % 11
    printf "  \\height{{ width / 3 - 1.75 + %d * 2.0 - (width - 1) * 0.125 }}\n", i % 13
    printf "  \\depth{{ (height + width) * 0.5 - %d %% 7 + height / (1 + 2 * 3.5e-1) }}\n", i
    printf "  \\area{{ width * height + depth * base.scale - (7 - depth) * (height - 0.5) }}\n"
    printf "  \\ratio{{ area / (width + 1.0e-3) - base.limit / %d + 1.5 * (area - 2) }}\n", i % 89 + 1
    printf "  \\count{{ %d * 3 + base.offset - %d + (%d - 4) * 2 %% 5 }}\n", i, i % 1000 * 7, i % 17
    printf "  \\mean{{ (count + 0.5) / 2 - 3.25e2 * base.step + %s.width * 0.1 - count / 7 }}\n", g
    printf "  \\spread{{ (mean - ratio) * (depth + 0.25) / (area + 1) - 1e-2 * count }}\n"
    printf "}\n"
  }
}
