class A { Object v = this.new D(); }
