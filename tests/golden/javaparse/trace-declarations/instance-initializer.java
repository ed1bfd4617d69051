class A { { } }
