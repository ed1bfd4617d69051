class A { void f() { for (i = 0; i < n) x(); } }
