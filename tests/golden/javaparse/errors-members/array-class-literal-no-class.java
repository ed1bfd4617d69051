class A { Object o = int[]. ; }
