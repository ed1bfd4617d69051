class A { void f() { ) default x(); } }
