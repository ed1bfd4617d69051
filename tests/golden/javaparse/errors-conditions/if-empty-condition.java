class A { void f() { if () ; } }
