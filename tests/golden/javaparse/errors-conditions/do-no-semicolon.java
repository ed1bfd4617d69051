class A { void f() { do x++; while (i < 3) } }
