package a class A { }
