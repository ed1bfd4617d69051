import java.util.Map;
import java.util.List;
import java.util.Set;
import java.io.File;
class A { java.lang.Object.Inner n; Map m; List l; Set s; File f; Object o; }
