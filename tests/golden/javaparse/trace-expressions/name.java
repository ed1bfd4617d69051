class A { Object v = x; }
