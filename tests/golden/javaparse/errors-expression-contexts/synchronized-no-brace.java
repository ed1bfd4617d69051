class A { void f() { synchronized (a) x(); } } }
