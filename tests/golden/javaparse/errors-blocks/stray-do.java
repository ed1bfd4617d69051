class A { void f() { ) do ) ; while (a); } }
