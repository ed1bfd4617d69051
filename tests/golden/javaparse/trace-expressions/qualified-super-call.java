class A { Object v = a.super.f(); }
