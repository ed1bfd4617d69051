class B { void f() { assert true : 1; } }
