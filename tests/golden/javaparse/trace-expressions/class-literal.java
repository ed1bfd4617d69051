class A { Object v = a.class; }
