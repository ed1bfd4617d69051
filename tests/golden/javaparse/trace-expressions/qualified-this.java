class A { Object v = a.this; }
