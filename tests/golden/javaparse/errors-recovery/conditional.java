class A { ) ? a : b int y; }
