class A { Object o = new int[2][3]; }
