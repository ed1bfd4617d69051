class A { Object v = ~!b; }
