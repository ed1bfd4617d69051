class A { void f() { x = void. ; } }
