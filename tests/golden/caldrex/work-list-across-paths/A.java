class A { B b; C c; D d; }
