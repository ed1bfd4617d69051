class A { Object v = super.f(x); }
