class A { Object v = f(); }
