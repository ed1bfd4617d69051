class A { int a[][]; }
