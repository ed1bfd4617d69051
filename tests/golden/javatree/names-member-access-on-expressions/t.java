class B { int y; B next; int g() { return y; } }
class A {
  B b;
  B[] bs;
  B mk() { return b; }
  void f() {
    int k = bs[0].y;
    int i = (b).next.y;
    int j = mk().next.g();
    int c = (true ? b : b).y;
    int q = ((B) this).y;
    int a = (b = b).next.y;
    int t = (this).b.y;
    int n = bs.length + bs[0].next.y;
  }
}
