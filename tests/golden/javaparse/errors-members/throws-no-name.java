class A { A() throws { } }
