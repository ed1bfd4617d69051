class B {}
