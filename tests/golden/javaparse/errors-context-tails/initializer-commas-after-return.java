class A { Object f() { return new int[] { , , }; } }
