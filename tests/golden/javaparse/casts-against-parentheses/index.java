class C { Object o = (a)[0]; }
