class A { void f() { x = (int) ; } }
