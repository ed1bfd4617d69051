class A { void m() { f(new A() { int p; }, new A() { int p; }); p = 1; } }
