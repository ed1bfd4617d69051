class P { int java, T; java.util.List l; T.U[] m; T t; java.util.Map.Entry e() { return null; } }
