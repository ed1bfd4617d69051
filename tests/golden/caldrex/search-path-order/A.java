class A { C c; D d; E e; }
