class A { A() {
