class A { A() throws a.b.C, D { } }
