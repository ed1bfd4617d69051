class A {
  int x = 1 # ;
}
