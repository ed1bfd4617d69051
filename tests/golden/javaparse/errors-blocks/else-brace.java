class A { void f() { if (a) ; else } }
