class A { Object v = (String[]) o; }
