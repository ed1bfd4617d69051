class A { ) finally { ) } int y; }
