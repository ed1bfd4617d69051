class A { void f() { for (final 1;;) ; } }
