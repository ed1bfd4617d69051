class A { void f() { for (
