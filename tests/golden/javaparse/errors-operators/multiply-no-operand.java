class A { void f() { throw a * ; } }
