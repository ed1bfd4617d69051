class A extends B implements I, K { int a; }
interface I extends B { int i; }
interface K extends B { int k; }
class B extends A { int b; }
class C { A x; B y; I z; void m() { x.b = 1; y.a = 2; y.i = 3; z.a = 4; z.b = 5; } }
