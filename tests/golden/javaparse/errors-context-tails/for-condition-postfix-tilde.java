class A { void f() { for (; a ~; ) x(); } }
