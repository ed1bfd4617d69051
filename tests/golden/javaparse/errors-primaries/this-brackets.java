class A { void f() { x = this[]; } }
