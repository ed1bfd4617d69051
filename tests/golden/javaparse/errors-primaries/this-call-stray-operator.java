class A { A() { this(1 !b); } }
