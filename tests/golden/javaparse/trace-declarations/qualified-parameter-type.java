class A { void f(a.b.C x) { } }
