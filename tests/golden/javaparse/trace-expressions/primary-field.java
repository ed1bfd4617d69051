class A { Object v = o().f; }
