class A { void f() { i++ + 1; } }
