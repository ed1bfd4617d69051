class A { void f(final ) { } }
