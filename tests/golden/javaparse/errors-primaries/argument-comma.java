class A { void f() { f(a,); } }
