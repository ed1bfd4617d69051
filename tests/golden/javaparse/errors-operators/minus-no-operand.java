class A { void f() { x = - ; } }
