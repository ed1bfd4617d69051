class A { void f(int x) { assert x > 0; } }
