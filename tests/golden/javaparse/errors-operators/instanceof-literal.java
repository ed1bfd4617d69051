class A { void f() { x = a instanceof 3; } }
