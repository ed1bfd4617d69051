class B { void f() { assert x; } }
