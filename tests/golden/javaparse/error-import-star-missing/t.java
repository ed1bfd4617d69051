import a.;
class A { }
