class A { A() { this(a) x(); } }
