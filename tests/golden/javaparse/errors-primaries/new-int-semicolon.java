class A { void f() { x = new int; } }
