class A { void f() { f(1 b); } }
