class A { void f() { if (a) for (;;) x(); else y(); } }
