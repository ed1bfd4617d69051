class A { Object o; }
