class A { void f() { x = f().; } }
