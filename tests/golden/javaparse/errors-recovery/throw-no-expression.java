class A { ) throw ; int y; }
