class A { void f() { for (;; i++,) ; } }
