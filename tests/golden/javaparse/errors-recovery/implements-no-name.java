class A { ) implements ; int y; }
