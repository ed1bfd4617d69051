class A { ) == ; int y; }
