class C { }
