class A {
  void f() {
    x = 1;
    / (y + 2);
    z = 3;
  }
}
