class A { void f() { ) finally { ) } x(); } }
