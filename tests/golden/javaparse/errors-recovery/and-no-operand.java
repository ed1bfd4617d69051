class A { ) && ; int y; }
