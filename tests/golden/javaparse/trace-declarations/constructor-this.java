class A { A() { this(1); } }
