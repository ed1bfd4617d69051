class A { void f() { return } }
