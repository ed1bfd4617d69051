package q;
import p.A;
class B extends A { }
