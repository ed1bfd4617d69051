import java.util.Map;
import java.util.List;
import java.io.File;
class A { java.lang.Object.Inner n; Map m; List l; File f; Object o; }
