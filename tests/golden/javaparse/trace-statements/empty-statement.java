class A { void f() { ; } }
