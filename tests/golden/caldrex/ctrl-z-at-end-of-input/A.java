class A { B b; }
