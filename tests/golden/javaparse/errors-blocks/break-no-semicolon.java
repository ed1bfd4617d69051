class A { void f() { break x continue; } }
