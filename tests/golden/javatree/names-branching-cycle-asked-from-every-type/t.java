class A extends B implements I, J { int f; int a; }
class B extends C implements J { int f; int b; }
class C extends A implements I { int f; int c; }
interface I extends J, B { int f = 1; int i = 1; }
interface J extends C, I { int f = 2; int j = 2; }
class U {
  A a; B b; C c; I i; J j;
  void m() { a.f = 1; b.f = 1; c.f = 1; i.f = 1; j.f = 1; }
  void n() { j.f = 1; i.f = 1; c.f = 1; b.f = 1; a.f = 1; }
}
