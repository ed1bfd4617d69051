class A { ) throws ; int y; }
