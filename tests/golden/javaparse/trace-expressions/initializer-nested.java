class A { Object v = {{1}, {}}; }
