class A { void m() { for (int i = 0; i < 9; i++) i = 1; i = 2; } }
