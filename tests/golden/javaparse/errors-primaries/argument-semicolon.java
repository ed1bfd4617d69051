class A { void f() { f(; } }
