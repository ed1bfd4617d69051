class A { void f() { synchronized () { } } }
