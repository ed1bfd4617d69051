import java.util.Map;
import java.util.*;
class A {
  String s;
  java.lang.Integer i;
  Map m;
  List l;
  Object o;
  Map.Entry e;
  java.util.Map.Entry f;
}
