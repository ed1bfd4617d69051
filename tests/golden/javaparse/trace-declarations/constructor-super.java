class A { A() { super(); } }
