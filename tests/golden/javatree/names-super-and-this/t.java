class B { int x; void m() { } } class A extends B { int y; void f() { super.x = 1; super.m(); new B() { void g() { this.y = 1; super.x = 2; } }; } }
