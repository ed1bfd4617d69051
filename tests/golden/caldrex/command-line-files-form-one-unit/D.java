import x.Y;
class D {}
