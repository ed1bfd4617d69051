class A extends S implements I1, I2 {
  A() throws E1 { }
  void f() throws E2, E3 {
    Object o = new C1();
    Object p = (C2) o;
    Object q = ((C3)) o;
    Object r = (C4[]) o;
    Object s = C5.class;
    Object t = C6[].class;
    Object u = new C7[2];
    Object v = C8.this;
    Object w = C9.super.toString();
    Object x = o.new C10();
    if (o instanceof C11) { }
    try { } catch (C12 e) { }
    Object y = new C13() { C14 inner; };
  }
}
interface J extends K1, K2 { }
