class A { ) return ; int y; }
