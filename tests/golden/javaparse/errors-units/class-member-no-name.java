class A { public ; }
