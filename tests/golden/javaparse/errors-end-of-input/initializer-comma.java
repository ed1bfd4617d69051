class A { int[] a = {1,
