class A { void f() {  } }
