class Base { int inherited; }
class A extends Base {
  int field;
  void f(int param) {
    int local = 0;
    local.a.b = 1;
    param.a.b = 2;
    field.a.b = 3;
    inherited.a.b = 4;
    Unknown.a.b = 5;
    local.m();
    T1.m();
    m();
    plain = 6;
    int x = plain2;
    int Thing = 0;
    Thing t;
    Thing.q = 7;
    int[] arr = null;
    arr[0] = 1;
    Arr2.z[0] = 1;
  }
}
