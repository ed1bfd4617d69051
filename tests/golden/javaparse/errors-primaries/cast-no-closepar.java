class A { void f() { x = (C[] y; } }
