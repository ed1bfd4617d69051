class A { void f() { switch (k) { case 1: case 2: x(); default: } } }
