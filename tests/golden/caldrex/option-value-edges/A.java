class A { C c; }
