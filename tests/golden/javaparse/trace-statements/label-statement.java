class A { void f() { L: x++; } }
