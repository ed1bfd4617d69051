class A { Object v = i++ ++; }
