class C { Object o = (int) - b; }
