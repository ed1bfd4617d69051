class A { int f() { } }
