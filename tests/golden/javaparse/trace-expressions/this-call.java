class A { Object v = this.m(x); }
