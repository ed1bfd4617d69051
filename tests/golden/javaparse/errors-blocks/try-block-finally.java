class A { void f() { try { finally { } } }
