class A { void f(); }
