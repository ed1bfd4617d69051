class A { void f() { L: } }
