class A { int v = a + b * c; int w = new int[3][]; int t = (S[][]) this; int u = (int) void.class; }
