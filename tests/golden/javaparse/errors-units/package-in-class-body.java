class A { package a; }
