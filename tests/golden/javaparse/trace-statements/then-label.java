class A { void f() { if (a) L: x(); } }
