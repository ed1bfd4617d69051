class A { int a, ; }
