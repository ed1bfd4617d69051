class A { void f() { T x; } }
