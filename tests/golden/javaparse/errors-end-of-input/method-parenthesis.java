class A { void f(
