class A extends B { } class B extends A { void m() { q = 1; } }
