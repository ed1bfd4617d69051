class A { ) \x{1} int y; }
