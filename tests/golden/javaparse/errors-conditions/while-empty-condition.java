class A { void f() { while () ; } }
