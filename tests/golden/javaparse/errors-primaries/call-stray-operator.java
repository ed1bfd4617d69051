class A { void f() { g(1 !b); } }
