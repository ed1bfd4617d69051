class A { Object v = a + b * c; }
