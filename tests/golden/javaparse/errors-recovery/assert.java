class A { ) assert a; int y; }
