class A { void f() { if (a) if (b) x(); else
