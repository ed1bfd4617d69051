class W extends S1 implements I1, I2 {
  R1 f1 = new C1(A1.x, (C2) y, new C3[] { new C4() });
  static { T1.s(); }
  { T2.i = 1; }
  R2[] m(P1 a, final P2[] b) throws E1, E2 {
    L1 l = null;
    for (L2 i = null; F1.c; F2.d()) F3.e();
    try { B1.t(); } catch (X1 e) { B2.t(); } finally { B3.t(); }
    if (o instanceof T3[]) return (T4[]) q;
    R3 r = new T5() { T6 g; void h() { T7.k(); } };
    N1.m(N2.a, N3.class, N4[].class);
    M1.x = M2.y;
    int z1 = (D1) + y, z2 = (D2) (y), z3 = (D3) -y, z4 = (D4) ~y, z5 = (D5) !b, z6 = (z1) y;
    S1.q(R1.r);
    return null;
  }
  W2(Q1 q) throws E3 { super(); Q2.z(); }
  interface J extends K1, K2 { K3 n() throws K4; K5 C = null; }
}
