class A { A() { this(
