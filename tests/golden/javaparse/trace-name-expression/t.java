class A { int y = x; }
