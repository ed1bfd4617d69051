class A { Object v = (a) - b; }
