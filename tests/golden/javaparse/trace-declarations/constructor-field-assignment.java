class A { A() { this.x = 1; } }
