class A { void f(int a, String b) { } }
