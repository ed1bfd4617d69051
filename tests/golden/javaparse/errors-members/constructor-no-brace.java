class A { A() x = 1; } }
