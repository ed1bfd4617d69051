class A { void f() { do x++; while (a); } }
