class A { ) try { } int y; }
