class A2 extends Obj { D d; }
