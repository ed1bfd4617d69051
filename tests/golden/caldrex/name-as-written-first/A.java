import q.X;
class A { X x; }
