class A { Object v = a[i]; }
