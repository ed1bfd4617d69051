class A { B b; }
}
