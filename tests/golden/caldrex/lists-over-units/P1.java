package a;
import m.Miss2;
import m.Miss1;
class P1 { Miss2 x; Miss1 y; Std1 z; N2 w; N1 v; }
