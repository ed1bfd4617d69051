class A { void 1() { } }
