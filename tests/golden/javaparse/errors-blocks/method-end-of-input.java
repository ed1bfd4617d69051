class A {
  void f() {
