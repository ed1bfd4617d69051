class A {
  int V1, V2, V3, V4, V5, V6, V7, V8, V9, V10, V11;
  class In extends V1 implements V2 { }
  void f() throws V3 {
    V4 x = new V5();
    int o = (V6) x;
    V7[] y = new V8[1];
    int c = V9.class;
    try { } catch (V10 e) { }
    int t = V11.this;
  }
}
