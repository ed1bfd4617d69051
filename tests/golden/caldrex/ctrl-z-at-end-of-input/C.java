class C { int x;  }
