class A { A(int x) { } }
