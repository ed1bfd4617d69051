class A { Object v = {a, x = 1}; }
