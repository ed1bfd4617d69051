class A { void f() { final int i = 0; } }
