class A { Object v = new a.b.C[2]; }
