class A { void f() { a = new int[] { , , }; } }
