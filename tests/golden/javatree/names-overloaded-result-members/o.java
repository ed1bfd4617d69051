class A { int z; }
class B { int y; }
class C {
  B q(int i) { return null; }
  A q(long l) { return null; }
  void f() {
    int v = (true ? q(1) : q(2)).y;
    int w = (true ? q(1L) : q(2L)).y;
    int x = (true ? q(1) : q(2)).z;
  }
}
