class A { Object v = {1, 2,}; }
