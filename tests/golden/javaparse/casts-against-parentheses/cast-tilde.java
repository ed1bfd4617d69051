class C { Object o = (a) ~b; }
