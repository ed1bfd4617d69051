class A { ) instanceof ; int y; }
