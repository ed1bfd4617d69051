class A { Object v = a.b().new C(1); }
