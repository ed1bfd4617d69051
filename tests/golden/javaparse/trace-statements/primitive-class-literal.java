class A { void f() { int.class.getName(); } }
