interface I { int K = 1; } interface J extends I { int L = K; }
