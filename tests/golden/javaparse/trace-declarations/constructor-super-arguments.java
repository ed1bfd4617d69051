class A { A() { super(a, b); } }
