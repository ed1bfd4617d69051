class A { void f(int a { } }
