class A { void f() { g(new B() { void h() { if () ; } }); } }
