class A { ) catch E e) { } int y; }
