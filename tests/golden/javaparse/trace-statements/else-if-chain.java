class A { void f() { if (a) x(); else if (b) y(); else z(); } }
