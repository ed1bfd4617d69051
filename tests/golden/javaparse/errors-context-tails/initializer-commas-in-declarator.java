class A { int[] a = { , , }; }
