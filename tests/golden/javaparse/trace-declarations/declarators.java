class A { int a, b = 1, c[]; }
