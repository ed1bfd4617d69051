class A { void f() { if (a) L: x(); else y(); } }
