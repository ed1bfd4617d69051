class A { int a = ; }
