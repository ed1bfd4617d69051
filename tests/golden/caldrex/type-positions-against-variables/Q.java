class Q {
  int T1, T2, T3, T4;
  H getH() { return null; }
  void f(H[] hs, H[][] hss, int[] ia) {
    getH().new T1();
    getH().new T2();
    hs[0].new T3();
    hss[0][1].new T4();
    ia.length.z = 1;
    ((H) null).new T5();
    this.new T6();
  }
}
class H { int T2, T3, T4, T5; class T1 { } }
