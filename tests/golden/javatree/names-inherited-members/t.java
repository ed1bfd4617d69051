class B { int f; int g; } class A extends B { int g; void m() { f = 1; g = 1; } }
