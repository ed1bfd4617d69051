class A { A.B x; }
