class A { void f() { int ; } }
