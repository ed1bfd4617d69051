import p.*;
import q.r.*;
import gone.deep.*;
import f.*;
import w.*;
class A { B b; C c; D d; E e; G g; Z z; }
