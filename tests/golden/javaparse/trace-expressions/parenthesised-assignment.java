class A { Object v = (x = 3); }
