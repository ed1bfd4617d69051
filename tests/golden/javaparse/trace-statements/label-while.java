class A { void f() { l: while (c) ; } }
