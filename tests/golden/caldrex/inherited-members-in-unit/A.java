class A extends B {
  static class T extends U { int bf; }
  void f(A o) {
    new T() { void g() { bf.a = 1; uf.a = 2; } };
    o.new T() { void g() { bf.b = 3; } };
    this.new T() { void g() { uf.b = 4; } };
    bf2.a = 5;
    cf.a = 6;
    ic.a = 7;
    class LC { int lf; }
    new LC() { void g() { lf.a = 8; } };
    lf.b = 9;
  }
  static class N extends A2.Inner { void g() { nf.a = 10; } }
}
class B extends C implements I { }
class C { int cf; }
interface I { int ic = 0; }
class U { int uf; }
class A2 { static class Inner { int nf; } }
class P extends Q { void g() { pq.a = 11; } }
class Q extends P { int pq; }
