class A { Object v = o().m(); }
