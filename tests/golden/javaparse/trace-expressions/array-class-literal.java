class A { Object v = String[].class; }
