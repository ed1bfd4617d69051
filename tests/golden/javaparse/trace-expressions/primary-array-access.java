class A { Object v = f()[i]; }
