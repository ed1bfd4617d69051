class A { void f() { ) catch E e) { } x(); } }
