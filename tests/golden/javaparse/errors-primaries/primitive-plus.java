class A { void f() { x = int + 1; } }
