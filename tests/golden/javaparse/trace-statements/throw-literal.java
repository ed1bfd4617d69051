class A { void f() { throw 1; } }
