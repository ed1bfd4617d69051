class A { void f() { switch () { } } }
