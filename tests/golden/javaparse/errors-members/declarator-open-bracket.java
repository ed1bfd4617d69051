class A { int a[; }
