class A { void f() { switch (k) { default } } }
