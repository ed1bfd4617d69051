class A extends { }
