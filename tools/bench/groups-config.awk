# Writes a configuration of `n` groups of ordinary definitions (literals,
# names, qualified names, braced expressions, comments) for the benchmarks
# of the configuration front end and of zebcheck:
#   awk -v n=20000 -f tools/bench/groups-config.awk > groups.cfg
BEGIN {
  letters = "abcdefghijklmnopqrstvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"  # no "u": \u starts an escape
  print "\\base{ \\offset{12} \\scale{2.5} }"
  for (i = 0; i < n; i++) {
    g = substr(letters, i % 51 + 1, 1) i substr(letters, int(i / 51) % 51 + 1, 1)
    printf "// settings group %d\n", i
    printf "\\%s{\n  \\name{\"group %d\"} \\enabled{true} \\ratio{1.5e-3}\n", g, i
    printf "  \\limits{ \\low{%d} \\high{0x%x} \\unit{'k'} }\n", i, i * 16
    printf "  \\size{{ (limits.high - limits.low) * 2 + base.offset %% 7 }}\n"
    printf "  \\ok{{ enabled && size >= 0 ? size * base.scale : -1 }} /* checked */\n}\n"
  }
}
