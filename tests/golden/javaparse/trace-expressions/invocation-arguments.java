class A { Object v = f(a, b, c); }
