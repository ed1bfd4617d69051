class A { Object v = (int.class); }
