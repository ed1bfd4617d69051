class A { void f() { i++ ++; } }
