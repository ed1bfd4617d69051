class A { void f() { x = c ? y : ; } }
