class A { void f() { switch (a) } }
