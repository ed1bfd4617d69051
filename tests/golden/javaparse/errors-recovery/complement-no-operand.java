class A { ) ~ ; int y; }
