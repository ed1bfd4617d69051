class A { void f() { throw ; } }
