package p;
class D {}
