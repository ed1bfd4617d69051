class A { int[] a = {1 2}; }
