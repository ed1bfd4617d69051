class A { void f() throws A, B, C { } }
