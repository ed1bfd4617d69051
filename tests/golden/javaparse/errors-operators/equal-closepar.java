class A { void f() { x = (a == ); } }
