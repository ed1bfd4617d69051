class A { void f() { do } }
