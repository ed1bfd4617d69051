class A { A next; void f() { assert x; } }
