class A { Object v = ++a; }
