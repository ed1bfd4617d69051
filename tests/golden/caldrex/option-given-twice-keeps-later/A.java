class A {}
