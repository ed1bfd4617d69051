import a.b class A { }
