class A extends B { int f; }
class C extends B implements C.M { }
class S implements S { }
class Main extends C { void run() { f = 1; } }
class B extends S.X { interface M { int f = 0; } }
