class A { void f(final int[] a[]) { } }
