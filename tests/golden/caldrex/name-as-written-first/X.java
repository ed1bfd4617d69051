class X {}
