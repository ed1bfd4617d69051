class A { ### }
