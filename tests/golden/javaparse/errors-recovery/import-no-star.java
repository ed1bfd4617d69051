class A { ) import a.; int y; }
