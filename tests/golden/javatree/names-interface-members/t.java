interface I { int K = 1; } class A implements I { int m() { return K; } }
