class A { void f() { if (a) while (b) x(); else y(); } }
