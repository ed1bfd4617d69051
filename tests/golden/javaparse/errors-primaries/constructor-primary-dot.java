class A { A() { f().; } }
