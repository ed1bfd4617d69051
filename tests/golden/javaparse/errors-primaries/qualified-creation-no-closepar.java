class A { void f() { x = a.new B(; } }
