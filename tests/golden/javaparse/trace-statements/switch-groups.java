class A { void f() { switch (e) { case 1: default: } } }
