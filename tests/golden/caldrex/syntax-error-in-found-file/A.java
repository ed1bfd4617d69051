class A { B b; C c; }
