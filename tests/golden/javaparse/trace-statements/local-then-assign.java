class A { void f() { int x; x = 1; } }
