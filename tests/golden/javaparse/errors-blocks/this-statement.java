class A { void f() { this; } }
