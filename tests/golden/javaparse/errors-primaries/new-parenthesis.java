class A { void f() { x = new (a); } }
