class A { Object v = new int[3][]; }
