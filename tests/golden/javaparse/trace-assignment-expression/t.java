class A { int y = a = x; }
