class A { void f() { break; continue l; } }
