class A { ) / ; int y; }
