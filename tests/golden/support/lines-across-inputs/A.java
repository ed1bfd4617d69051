class A {
?}
