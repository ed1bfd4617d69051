class X extends Y {
  X() { this(1, 2); }
  X(int a) { super(a); }
  X(int a, int b) { p.q().super(a); }
  X(String s) { new Z().super(); }
  Object[] e = {
    new int[3], new int[3][], new int[][] { { 1 }, { 2, }, }, new String[] { "a", "b", },
    new int[2][3], a.new B(), a.b().new C(1), new Outer.Inner(), this.new D(),
    new Runnable() { public void run() { } }, a.new B() { int k; },
    int.class, void.class, String.class, int[].class, String[][].class, a.b.C.class,
    X.this, a.b.X.this, this, super.f, super.m(), X.super.f, X.super.m(1), a.super.m(),
    x instanceof String, x instanceof String[], x instanceof int[][],
    (int) x, (int[]) x, (String) x, (String[]) x, (a.b.C) x, (a) b, (a) !b, (a) ~b, (a) (b),
    (a) - b, (a)++, (a)[0], (int) - b, (int) +b, -a, +a, ~a, !a, ++a, --a, a++, a--,
    a[0][1], f()[0], (a)[0].b, this.f, this.m(), m(), a.b.m(), a.b.c, "s".length(),
    a ? b : c, a ? b : c ? d : e, a = b = c, a += b -= c,
    1, 1L, 0x1F, 1.5, 1.5f, 2e3, 'c', "s", true, false, null,
  };
}
