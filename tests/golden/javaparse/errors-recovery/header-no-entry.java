class A { ) ### int y; }
