class C { B b; }
