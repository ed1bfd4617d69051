class B {
  int T1;
  void f(H h) {
    h.new T1();
    h.new T2();
    new T1();
  }
}
class H { int T2; class T1 { } }
