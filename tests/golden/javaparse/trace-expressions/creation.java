class A { Object v = new T(); }
