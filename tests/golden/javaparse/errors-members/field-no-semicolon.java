class A {
  int x = 1
  int y;
}
