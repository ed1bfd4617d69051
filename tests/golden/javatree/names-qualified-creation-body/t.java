class B { int y; } class A { void m() { this.new B() { void f() { y = 1; } }; new B() { void g() { y = 2; } }; } }
