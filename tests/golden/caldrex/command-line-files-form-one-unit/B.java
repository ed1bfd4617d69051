class B { A a; }
