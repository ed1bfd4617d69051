import q.H;
import r.G;
import s.*;
class A { H h; G g; Map m; }
