class A { void f() { throw new int[] { 1, , }; } }
