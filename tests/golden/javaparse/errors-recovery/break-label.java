class A { ) break x; int y; }
