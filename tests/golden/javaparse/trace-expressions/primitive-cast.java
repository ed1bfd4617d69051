class A { Object v = (int) x; }
