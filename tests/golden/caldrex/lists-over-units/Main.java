import m.Miss1;
import u.*;
class Main { Miss1 a; P1 b; Std2 c; N1 d; }
