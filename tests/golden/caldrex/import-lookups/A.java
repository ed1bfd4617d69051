import q.H;
import r.G;
import s.*;
class A { H h; G g; S1 s; t.u.V v; t.u.V.W w; Outer.Inner i; }
