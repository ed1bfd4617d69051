class A { int }
