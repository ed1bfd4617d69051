class A extends
