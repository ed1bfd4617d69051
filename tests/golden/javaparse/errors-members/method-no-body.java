class A { void f() int x; }
