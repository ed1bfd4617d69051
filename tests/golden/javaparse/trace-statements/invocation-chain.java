class A { void f() { f().g(); } }
