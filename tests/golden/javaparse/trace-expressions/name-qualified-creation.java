class A { Object v = a.new B(); }
