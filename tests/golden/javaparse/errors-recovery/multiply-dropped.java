class A { ) * ; int y; }
