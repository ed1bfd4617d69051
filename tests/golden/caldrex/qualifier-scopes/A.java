class A extends Base2 implements K {
  static class Nest { static int s; }
  int fld;
  A(int cp) { cp.a = 1; fld.a = 2; }
  void m(int p) {
    A.Nest.s = 0;
    inh.a = 1;
    k.a = 2;
    Nest.s = 3;
    later.a = 4;
    int later = 0;
    { int inner = 0; }
    inner.a = 5;
    for (int fv = 0; ; ) { fv.a = 6; }
    fv.b = 7;
    ce.a = 8;
    try { } catch (Ex ce) { }
    cp.b = 9;
    lbl: while (true) break lbl;
    lbl.a = 10;
    m.a = 11;
    fld.b.c();
    Nest.t.u();
    new Object2() { void g() { fld.c = 12; own.c = 13; int own; } };
    p.q.r = 14;
  }
  class Inner { void h() { fld.d = 15; outerOnly.d = 16; } }
}
interface K { int k = 1; }
