package p;
import q.Outer.In;
import q.Outer.*;
import r1.Dup;
import r2.Dup;
import r1.Dup;
import z.Unused;
import p.*;
import java.lang.*;
import s.*;
import s.*;
class Main {
  In a;
  In2 b;
  Dup c;
  Dup.Deep d;
  x.y.Z e;
  v.w.Z2 f;
  Loc g;
}
