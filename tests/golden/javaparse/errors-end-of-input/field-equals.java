class A { int x =
