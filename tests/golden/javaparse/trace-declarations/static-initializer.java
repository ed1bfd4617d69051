class A { static { } }
