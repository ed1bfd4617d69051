class B { void f() { hashish.x = 1; } }
