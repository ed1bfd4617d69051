class A { void f() { switch (k) { case : } } }
