class A { ) package ; int y; }
