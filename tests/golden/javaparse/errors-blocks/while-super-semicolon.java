class A { void f() { while (a) super; } }
