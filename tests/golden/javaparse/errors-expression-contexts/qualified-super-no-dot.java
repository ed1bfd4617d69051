class A { void f() { x = a.super; } }
