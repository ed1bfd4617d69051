class A { void f() { for (i = 0, j = 1; ; ) ; } }
