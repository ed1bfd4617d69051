class A { A() ; } }
