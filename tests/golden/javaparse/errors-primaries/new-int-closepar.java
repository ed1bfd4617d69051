class A { void f() { f(new int[); } }
