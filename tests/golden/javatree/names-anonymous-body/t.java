class A { int x; int z; } class C { int y; int z; void m() { new A() { int y; void f() { x = 1; y = 1; z = 1; } }; } }
