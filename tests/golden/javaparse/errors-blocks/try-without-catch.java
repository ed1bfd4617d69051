class A { void f() { try { } x(); } }
