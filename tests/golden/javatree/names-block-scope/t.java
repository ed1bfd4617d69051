class A { int x; void m() { x = 1; int x; { int y; } y = 1; } }
