class If implements I2 { void f() { c1.x = 1; c2.x = 2; c3.x = 3; } }
interface I2 extends I1, I3 { int c2 = 0; }
interface I1 { int c1 = 0; }
interface I4 { int c3 = 0; }
interface I5 extends I5 { int c5 = c5.y; }
