class A { void f() { assert a } }
