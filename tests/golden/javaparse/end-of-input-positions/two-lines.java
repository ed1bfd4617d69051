class A {
  void f() {