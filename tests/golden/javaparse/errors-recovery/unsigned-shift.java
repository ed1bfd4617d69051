class A { ) >>> 1 int y; }
