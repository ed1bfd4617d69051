class A { A() { super; } }
