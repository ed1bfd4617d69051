class A { ) continue ; int y; }
