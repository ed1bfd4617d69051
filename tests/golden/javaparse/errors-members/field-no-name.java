class A { int ; }
