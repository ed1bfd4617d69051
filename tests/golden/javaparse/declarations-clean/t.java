### \name{value} \nested{\inner{'c'} \flag{false}}
package org.example.tool;

import java.util.*;
import java.io.File;
import java.util.Map.Entry;

public abstract class Outer extends base.Base implements java.io.Serializable, Cloneable {
  private static final long serialVersionUID = 1L;
  protected transient volatile int a, b = 2, c[];
  int[][] grid = { { 1, 2, }, { }, };
  String[] names = new String[] { "x", "y", };
  static { counter = 0; }
  { a = 1; }
  public Outer() { this(1); }
  Outer(int x) { super(); }
  Outer(String s) throws Exception, Error { outer().super(); }
  Outer(long v) { a.b().super(v); int local = 1; }
  public abstract void f();
  native synchronized strictfp int g(final int[] p[], String q) throws java.io.IOException;
  int h()[] throws E { return null; }
  void v(a.b.C x, final java.util.List y) { }
  static class Nested { }
  interface Inner { int K = 1; void m(); class Impl { } interface Deeper { } }
  final class Final extends Outer { Final() { super(0); } }
  ;
}
interface Plain extends A, b.B {
  public static final int X = 1, Y[] = { 2 };
  abstract String name(int i) throws E;
  class C { }
  ;
}
;
final strictfp class Last { }
