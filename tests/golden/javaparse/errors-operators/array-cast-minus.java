class A { void f() { x = (String[]) -y; } }
