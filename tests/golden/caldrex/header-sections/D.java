class D {}
