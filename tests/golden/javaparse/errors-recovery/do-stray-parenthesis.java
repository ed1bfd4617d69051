class A { ) do ) ; while (a); int y; }
