class A { int[] a = {; }
