class A { void f() { f()[0] = 1; } }
