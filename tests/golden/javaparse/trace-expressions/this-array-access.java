class A { Object v = this[i]; }
