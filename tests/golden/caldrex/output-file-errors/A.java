class A { B b; }
