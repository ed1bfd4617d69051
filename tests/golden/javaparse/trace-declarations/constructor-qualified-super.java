class A { A() { p.q().super(); } }
