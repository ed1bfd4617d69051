class A { int[] a[]; int b = {}, c = {,}; int m()[]; void n(final int p, int q) { break; } }
