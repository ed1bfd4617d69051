class S {
  int[] a = { K1.x, K2.y };
  S() { this(K3.x); }
  S(int i) { super(K4.y); }
  int f(int v, boolean b) {
    switch (K5.sel) { case K6.X: break; default: return K7.r; }
    synchronized (K8.lock) { throw new K9(); }
    do { K10.d(); } while (K11.w);
    lbl: while (K12.w) { continue lbl; }
    int c = b ? K13.x : K14.y;
    K15.c++;
    --K16.d;
    c = -K17.x + ~K18.i;
    boolean n = !K19.b;
    int s = "s" + K20.x;
    c = K21.arr[K22.i];
    a[0] = new K23().f.g;
    if (K24.t) ; else K25.e();
    assert K26.ok : K27.msg;
    return K28.q.length;
  }
}
