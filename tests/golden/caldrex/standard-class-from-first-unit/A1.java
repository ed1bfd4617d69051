class A1 extends Obj { }
