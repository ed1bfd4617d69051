class A { Object v = a = x; }
