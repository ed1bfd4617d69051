package q;
import q.A;
class A { static int af; }
class B { void f() { af.x = 1; bf.x = 2; } }
