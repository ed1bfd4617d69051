class A { void f() { if (x instanceof int) ; } }
