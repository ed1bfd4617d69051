class A { Object v = a |= 1; }
