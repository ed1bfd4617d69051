class A { Object v = new int[] { 1 }; }
