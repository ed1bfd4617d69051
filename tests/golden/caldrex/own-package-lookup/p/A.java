package p;
class A { D d; }
