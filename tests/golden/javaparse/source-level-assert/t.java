class A { void f() { int assert = 1; assert = 2; } }
