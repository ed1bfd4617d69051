class C { A a; B b; void n() { a.f = 1; b.f = 2; } }
class A extends B { int f; }
class B extends A { int g; }
