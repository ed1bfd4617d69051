class A { void f() { try { } catch () { } } }
