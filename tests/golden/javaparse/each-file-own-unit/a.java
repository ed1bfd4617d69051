package p;
class A { }
