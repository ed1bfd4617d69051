class A { Object v = x instanceof int[]; }
