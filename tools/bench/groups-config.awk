# Writes a configuration of `n` groups of definitions for the benchmarks of
# the configuration front end and of zebcheck:
#   awk -v n=20000 -f tools/bench/groups-config.awk > groups.cfg
#   awk -v n=1700 -v kind=reals -f tools/bench/groups-config.awk > reals.cfg
# By default the groups hold ordinary definitions (literals, names,
# qualified names, braced expressions, comments). With kind=reals each
# group's braced values are arithmetic mixing integer and real literals with
# names and qualified names, for the benchmark of zebcheck's folding of
# numbers: every value folds to a number, and the literals change from group
# to group, so the folded results have texts of many lengths and both signs.
BEGIN {
  letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"  # no "u": \u starts an escape
  if (kind == "reals") print "\\base{ \\offset{12} \\scale{2.5} \\step{0.125} \\limit{1.5e3} }"
  else print "\\base{ \\offset{12} \\scale{2.5} }"
  for (i = 0; i < n; i++) {
    g = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
    if (kind == "reals") reals(g, i)
    else ordinary(g, i)
  }
}
function ordinary(g, i) {
  printf "// settings group %d\n", i
  printf "\\%s{\n  \\name{\"group %d\"} \\enabled{true} \\ratio{1.5e-3}\n", g, i
  printf "  \\limits{ \\low{%d} \\high{0x%x} \\unit{'k'} }\n", i, i * 16
  printf "  \\size{{ (limits.high - limits.low) * 2 + base.offset %% 7 }}\n"
  printf "  \\ok{{ enabled && size >= 0 ? size * base.scale : -1 }} /* checked */\n}\n"
}
function reals(g, i) {
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
