class A {
  A() { outer.super(); }
}
