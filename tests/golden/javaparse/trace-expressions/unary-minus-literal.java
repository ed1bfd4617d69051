class A { Object v = -5; }
