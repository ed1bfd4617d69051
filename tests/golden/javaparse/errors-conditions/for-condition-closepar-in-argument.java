class A { void f() { g(new B() { void h() { for (i = 0; i < n) x(); } }); } }
