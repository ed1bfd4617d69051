class C { Object o = (a)++; }
