class A { }
} x y
