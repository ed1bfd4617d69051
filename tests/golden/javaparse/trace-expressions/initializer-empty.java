class A { Object v = {}; }
